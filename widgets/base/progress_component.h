// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiProgressComponent: a position with up to five coloured sections. Section j
// (1..4) ends at SectionEnd j; positions past the last end in use belong to the
// next section. Dark parts are drawn in the section colour dimmed by 3, or not
// at all when ShowOffSegments is false.

#include "widgets/base/position_component.h"

// A position shown in up to five coloured sections along the range (the last section in
// use runs to PositionMax); the sections are drawn over the cached background, so their settings repaint only.
class TiProgressComponent : public TiPositionComponent {
    Q_OBJECT
    Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(TColorProperty SectionColor1 READ SectionColor1 WRITE SetSectionColor1)
    Q_PROPERTY(TColorProperty SectionColor2 READ SectionColor2 WRITE SetSectionColor2)
    Q_PROPERTY(TColorProperty SectionColor3 READ SectionColor3 WRITE SetSectionColor3)
    Q_PROPERTY(TColorProperty SectionColor4 READ SectionColor4 WRITE SetSectionColor4)
    Q_PROPERTY(TColorProperty SectionColor5 READ SectionColor5 WRITE SetSectionColor5)
    Q_PROPERTY(double SectionEnd1 READ SectionEnd1 WRITE SetSectionEnd1)
    Q_PROPERTY(double SectionEnd2 READ SectionEnd2 WRITE SetSectionEnd2)
    Q_PROPERTY(double SectionEnd3 READ SectionEnd3 WRITE SetSectionEnd3)
    Q_PROPERTY(double SectionEnd4 READ SectionEnd4 WRITE SetSectionEnd4)
    Q_PROPERTY(int SectionCount READ SectionCount WRITE SetSectionCount)
    Q_PROPERTY(bool ShowOffSegments READ ShowOffSegments WRITE SetShowOffSegments)

public:
    static constexpr int MaxSectionCount = 5;  // the most sections

    explicit TiProgressComponent(QWidget* parent = nullptr);  // creates one section; the colours are lime, yellow, red, yellow, yellow and the ends 50 and 75

    // Section s = 1..5; other numbers give black.
    TColor SectionColor(int section) const;
    void SetSectionColor(int section, TColor value);  // repaints only; other section numbers are ignored
    // Section end j = 1..4; other numbers give 0.
    double SectionEnd(int index) const;
    void SetSectionEnd(int index, double value);  // repaints only; other numbers are ignored

    TColor SectionColor1() const { return sectionColors_[0]; }  // colour of section 1, which starts at PositionMin; a change repaints only
    void SetSectionColor1(TColor value) { SetSectionColor(1, value); }  // repaints only
    TColor SectionColor2() const { return sectionColors_[1]; }  // colour of section 2, which starts at SectionEnd1; a change repaints only
    void SetSectionColor2(TColor value) { SetSectionColor(2, value); }  // repaints only
    TColor SectionColor3() const { return sectionColors_[2]; }  // colour of section 3, which starts at SectionEnd2; a change repaints only
    void SetSectionColor3(TColor value) { SetSectionColor(3, value); }  // repaints only
    TColor SectionColor4() const { return sectionColors_[3]; }  // colour of section 4, which starts at SectionEnd3; a change repaints only
    void SetSectionColor4(TColor value) { SetSectionColor(4, value); }  // repaints only
    TColor SectionColor5() const { return sectionColors_[4]; }  // colour of section 5, which starts at SectionEnd4; a change repaints only
    void SetSectionColor5(TColor value) { SetSectionColor(5, value); }  // repaints only
    double SectionEnd1() const { return sectionEnds_[0]; }  // value where section 1 ends (with SectionCount above 1); a change repaints only
    void SetSectionEnd1(double value) { SetSectionEnd(1, value); }  // repaints only
    double SectionEnd2() const { return sectionEnds_[1]; }  // value where section 2 ends (with SectionCount above 2); a change repaints only
    void SetSectionEnd2(double value) { SetSectionEnd(2, value); }  // repaints only
    double SectionEnd3() const { return sectionEnds_[2]; }  // value where section 3 ends (with SectionCount above 3); a change repaints only
    void SetSectionEnd3(double value) { SetSectionEnd(3, value); }  // repaints only
    double SectionEnd4() const { return sectionEnds_[3]; }  // value where section 4 ends (with SectionCount 5); a change repaints only
    void SetSectionEnd4(double value) { SetSectionEnd(4, value); }  // repaints only

    int SectionCount() const { return sectionCount_; }  // number of sections in use, 1 to 5; a change repaints only
    void SetSectionCount(int value);  // outside 1..5 ignored
    bool ShowOffSegments() const { return showOffSegments_; }  // whether the dark part is drawn in its section's colour dimmed by 3 (on by default) or left out; a change repaints only
    void SetShowOffSegments(bool value) { SetProperty(value, showOffSegments_, ickInvalidate); }  // repaints only

private:
    TColor sectionColors_[MaxSectionCount] = {clLime, clYellow, clRed, clYellow, clYellow};
    double sectionEnds_[MaxSectionCount - 1] = {50.0, 75.0, 0.0, 0.0};
    int sectionCount_ = 1;
    bool showOffSegments_ = true;
};
