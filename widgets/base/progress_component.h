// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiProgressComponent: a position with up to five coloured sections. Section j
// (1..4) ends at SectionEnd j; positions past the last end in use belong to the
// next section. Dark parts are drawn in the section colour dimmed by 3, or not
// at all when ShowOffSegments is false.

#include "widgets/base/position_component.h"

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
    static constexpr int MaxSectionCount = 5;

    explicit TiProgressComponent(QWidget* parent = nullptr);

    // Section s = 1..5; other numbers give black.
    TColor SectionColor(int section) const;
    void SetSectionColor(int section, TColor value);
    // Section end j = 1..4; other numbers give 0.
    double SectionEnd(int index) const;
    void SetSectionEnd(int index, double value);

    TColor SectionColor1() const { return sectionColors_[0]; }
    void SetSectionColor1(TColor value) { SetSectionColor(1, value); }
    TColor SectionColor2() const { return sectionColors_[1]; }
    void SetSectionColor2(TColor value) { SetSectionColor(2, value); }
    TColor SectionColor3() const { return sectionColors_[2]; }
    void SetSectionColor3(TColor value) { SetSectionColor(3, value); }
    TColor SectionColor4() const { return sectionColors_[3]; }
    void SetSectionColor4(TColor value) { SetSectionColor(4, value); }
    TColor SectionColor5() const { return sectionColors_[4]; }
    void SetSectionColor5(TColor value) { SetSectionColor(5, value); }
    double SectionEnd1() const { return sectionEnds_[0]; }
    void SetSectionEnd1(double value) { SetSectionEnd(1, value); }
    double SectionEnd2() const { return sectionEnds_[1]; }
    void SetSectionEnd2(double value) { SetSectionEnd(2, value); }
    double SectionEnd3() const { return sectionEnds_[2]; }
    void SetSectionEnd3(double value) { SetSectionEnd(3, value); }
    double SectionEnd4() const { return sectionEnds_[3]; }
    void SetSectionEnd4(double value) { SetSectionEnd(4, value); }

    int SectionCount() const { return sectionCount_; }
    void SetSectionCount(int value);  // outside 1..5 ignored
    bool ShowOffSegments() const { return showOffSegments_; }
    void SetShowOffSegments(bool value) { SetProperty(value, showOffSegments_, ickInvalidate); }

private:
    TColor sectionColors_[MaxSectionCount] = {clLime, clYellow, clRed, clYellow, clYellow};
    double sectionEnds_[MaxSectionCount - 1] = {50.0, 75.0, 0.0, 0.0};
    int sectionCount_ = 1;
    bool showOffSegments_ = true;
};
