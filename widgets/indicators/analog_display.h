// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiAnalogDisplay: a read-only numeric readout. Value is printed with
// Precision decimals (a negative precision selects the general format),
// followed directly by UnitsText; with ErrorActive the error text is shown
// instead.

#include "widgets/base/component.h"

// A read-only numeric read-out: Value with Precision decimals and UnitsText, or the error text while ErrorActive. The text is drawn over the cached background.
class TiAnalogDisplay : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(TiEnums::TiAlignmentHorizontal Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int AlignmentMargin READ AlignmentMargin WRITE SetAlignmentMargin)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(QString UnitsText READ UnitsText WRITE SetUnitsText)
    Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(TiEnums::TiBevelStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool ErrorActive READ ErrorActive WRITE SetErrorActive)
    Q_PROPERTY(QString ErrorText READ ErrorText WRITE SetErrorText)
    Q_PROPERTY(TFont* ErrorFont READ ErrorFont)
    Q_PROPERTY(TColorProperty ErrorBackGroundColor READ ErrorBackGroundColor WRITE SetErrorBackGroundColor)

public:
    explicit TiAnalogDisplay(QWidget* parent = nullptr);  // creates an 80 x 21 display, bold aqua text on black with a lowered border
    ~TiAnalogDisplay() override;

    // Told after Value changed (also while loading).
    TNotifyEvent OnChange;

    TiAlignmentHorizontal Alignment() const { return alignment_; }  // horizontal alignment of the text (centred by default); a change repaints only
    void SetAlignment(TiAlignmentHorizontal value);  // an unknown value is ignored
    int AlignmentMargin() const { return alignmentMargin_; }  // pixels between the text and the edge on the aligned side; a change repaints only
    void SetAlignmentMargin(int value) { SetProperty(value, alignmentMargin_, ickInvalidate); }  // repaints only
    int Precision() const { return precision_; }  // decimals shown (general notation when negative); a change repaints only
    void SetPrecision(int value) { SetProperty(value, precision_, ickInvalidate); }  // repaints only
    TFont* Font() const { return font_.get(); }  // font of the value, owned by the display; a change repaints only
    void SetFont(const TFont* value);  // copies the attributes
    double Value() const { return value_; }  // the number shown; a change repaints only and fires OnChange
    void SetValue(double value);  // asks the veto hook first
    QString UnitsText() const { return unitsText_; }  // text right after the number; a change repaints only
    void SetUnitsText(const QString& value) { SetProperty(value, unitsText_, ickInvalidate); }  // repaints only

    // The text the display shows for its value now (without the error display).
    QString DisplayText() const;

protected:
    void PaintContent(TCanvas& canvas) override;

private:
    TRect TextRect() const;
    TextFormatOptions TextOptions() const;

    TiAlignmentHorizontal alignment_ = iahCenter;
    int alignmentMargin_ = 5;
    int precision_ = 1;
    std::unique_ptr<TFont> font_;
    double value_ = 0.0;
    QString unitsText_;
};

