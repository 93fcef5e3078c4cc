// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiLabel: a caption drawn on the widget canvas, with an optional drop shadow
// and frame, that can size itself to its text. With a FocusControl the
// caption's "&x" accelerator focuses that control; without one the ampersand
// is drawn like any other character.

#include "widgets/base/component.h"

#include <QPointer>

// A caption drawn on the canvas, with an optional drop shadow and frame; with AutoSize it takes the size of its text.
class TiLabel : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TiEnums::TiAlignmentHorizontal Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TiLabelBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(int OuterMarginLeft READ OuterMarginLeft WRITE SetOuterMarginLeft)
    Q_PROPERTY(int OuterMarginTop READ OuterMarginTop WRITE SetOuterMarginTop)
    Q_PROPERTY(int OuterMarginRight READ OuterMarginRight WRITE SetOuterMarginRight)
    Q_PROPERTY(int OuterMarginBottom READ OuterMarginBottom WRITE SetOuterMarginBottom)
    Q_PROPERTY(bool ShadowShow READ ShadowShow WRITE SetShadowShow)
    Q_PROPERTY(int ShadowXOffset READ ShadowXOffset WRITE SetShadowXOffset)
    Q_PROPERTY(int ShadowYOffset READ ShadowYOffset WRITE SetShadowYOffset)
    Q_PROPERTY(TColorProperty ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    // The label's frame: none, a single line, lowered or raised.
    enum TiLabelBorderStyle { ilbsNone, ilbsSingle, ilbsLowered, ilbsRaised };
    Q_ENUM(TiLabelBorderStyle)

    explicit TiLabel(QWidget* parent = nullptr);  // creates a label captioned "iLabel" that takes no focus
    ~TiLabel() override;

    bool AutoSize() const { return autoSize_; }  // whether the label sizes itself to its text, frame, margins and shadow (with WordWrap only its height; on by default)
    void SetAutoSize(bool value) { SetLayoutProperty(value, autoSize_); }  // re-sizes the label (AutoSize) and rebuilds the cached picture
    TiAlignmentHorizontal Alignment() const { return alignment_; }  // horizontal alignment of the text (left by default); a change rebuilds the cached picture
    void SetAlignment(TiAlignmentHorizontal value);  // an unknown value is ignored
    // The label's frame (the base's bevel border stays ibsNone).
    TiLabelBorderStyle BorderStyle() const { return labelBorderStyle_; }
    void SetBorderStyle(TiLabelBorderStyle value);  // re-sizes the label (AutoSize) and rebuilds the cached picture; an unknown value is ignored
    QString Caption() const { return caption_; }  // the text; with a FocusControl an & marks its accelerator key
    void SetCaption(const QString& value);  // asks the veto hook first; re-sizes the label (AutoSize) and rebuilds the cached picture
    TFont* Font() const { return font_.get(); }  // font of the text, owned by the label; a change re-sizes the label (AutoSize) and rebuilds the cached picture
    void SetFont(const TFont* value);  // copies the attributes
    int OuterMarginLeft() const { return outerMarginLeft_; }  // pixels kept free left of the text
    void SetOuterMarginLeft(int value) { SetLayoutProperty(value, outerMarginLeft_); }  // re-sizes the label (AutoSize) and rebuilds the cached picture
    int OuterMarginTop() const { return outerMarginTop_; }  // pixels kept free above the text
    void SetOuterMarginTop(int value) { SetLayoutProperty(value, outerMarginTop_); }  // re-sizes the label (AutoSize) and rebuilds the cached picture
    int OuterMarginRight() const { return outerMarginRight_; }  // pixels kept free right of the text
    void SetOuterMarginRight(int value) { SetLayoutProperty(value, outerMarginRight_); }  // re-sizes the label (AutoSize) and rebuilds the cached picture
    int OuterMarginBottom() const { return outerMarginBottom_; }  // pixels kept free below the text
    void SetOuterMarginBottom(int value) { SetLayoutProperty(value, outerMarginBottom_); }  // re-sizes the label (AutoSize) and rebuilds the cached picture
    bool ShadowShow() const { return shadowShow_; }  // whether the text has a drop shadow
    void SetShadowShow(bool value) { SetLayoutProperty(value, shadowShow_); }  // re-sizes the label (AutoSize) and rebuilds the cached picture
    int ShadowXOffset() const { return shadowXOffset_; }  // horizontal offset of the shadow in pixels
    void SetShadowXOffset(int value) { SetLayoutProperty(value, shadowXOffset_); }  // re-sizes the label (AutoSize) and rebuilds the cached picture
    int ShadowYOffset() const { return shadowYOffset_; }  // vertical offset of the shadow in pixels
    void SetShadowYOffset(int value) { SetLayoutProperty(value, shadowYOffset_); }  // re-sizes the label (AutoSize) and rebuilds the cached picture
    TColor ShadowColor() const { return shadowColor_; }  // colour of the shadow; a change rebuilds the cached picture
    void SetShadowColor(TColor value) { SetProperty(value, shadowColor_, ickBackGround); }  // rebuilds the cached picture
    bool WordWrap() const { return wordWrap_; }  // whether the text wraps at the label's width
    void SetWordWrap(bool value) { SetLayoutProperty(value, wordWrap_); }  // re-sizes the label (AutoSize) and rebuilds the cached picture

    // The control the accelerator focuses; cleared when that control is destroyed.
    QWidget* FocusControl() const { return focusControl_.data(); }
    void SetFocusControl(QWidget* control);  // sets the control and takes the caption's accelerator for it

    // Sizes the label to its text when AutoSize is on (not while loading).
    void AdjustBounds();

protected:
    void PaintContent(TCanvas& canvas) override;
    // Sizes the label to the caption and font it was given while loading.
    void Loaded() override;
    bool event(QEvent* event) override;  // focuses FocusControl on the caption's accelerator

private:
    template <typename T> void SetLayoutProperty(T value, T& field);
    int FrameWidth() const;
    TextFormatOptions TextOptions() const;
    void DrawLabel(TCanvas& canvas);
    void DrawFrame(TCanvas& canvas);
    void RegrabAccelerator();
    void FocusControlDestroyed();

    bool autoSize_ = true;
    TiAlignmentHorizontal alignment_ = iahLeft;
    TiLabelBorderStyle labelBorderStyle_ = ilbsNone;
    QString caption_;
    std::unique_ptr<TFont> font_;
    int outerMarginLeft_ = 0;
    int outerMarginTop_ = 0;
    int outerMarginRight_ = 0;
    int outerMarginBottom_ = 0;
    bool shadowShow_ = false;
    int shadowXOffset_ = 1;
    int shadowYOffset_ = 1;
    TColor shadowColor_ = clGray;
    bool wordWrap_ = false;
    QPointer<QWidget> focusControl_;
    QMetaObject::Connection focusControlWatch_;
    bool adjusting_ = false;
    int acceleratorId_ = 0;
};

using TiLabelBorderStyle = TiLabel::TiLabelBorderStyle;
using enum TiLabel::TiLabelBorderStyle;

// Stores a setting that affects the label's size, re-sizes and repaints.
template <typename T> void TiLabel::SetLayoutProperty(T value, T& field)
{
    if (value == field)
        return;
    field = value;
    AdjustBounds();
    BackGroundChange();
}
