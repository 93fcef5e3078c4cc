// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiSwitchLed: a push switch drawn as a raised button carrying a caption and a
// small lamp. Each click (press and release inside), space-bar press or
// accelerator key toggles Active; every change of Active fires OnChange, and
// OnChangeUser follows for changes the user made. With ismsSimple the switch
// is momentary: active while the mouse button is held.

#include "widgets/base/component.h"

// A push switch: a raised button with a caption and a lamp that is lit while Active. The switch draws everything at every paint; it keeps no cached picture.
class TiSwitchLed : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(TColorProperty ActiveColor READ ActiveColor WRITE SetActiveColor)
    Q_PROPERTY(bool AutoLedSize READ AutoLedSize WRITE SetAutoLedSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TFont* CaptionFont READ CaptionFont)
    Q_PROPERTY(int CaptionMargin READ CaptionMargin WRITE SetCaptionMargin)
    Q_PROPERTY(TiSwitchLedCaptionAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment)
    Q_PROPERTY(TiSideAlignment IndicatorAlignment READ IndicatorAlignment WRITE SetIndicatorAlignment)
    Q_PROPERTY(TiSwitchMomentaryStyle MomentaryStyle READ MomentaryStyle WRITE SetMomentaryStyle)
    Q_PROPERTY(int IndicatorHeight READ IndicatorHeight WRITE SetIndicatorHeight)
    Q_PROPERTY(int IndicatorMargin READ IndicatorMargin WRITE SetIndicatorMargin)
    Q_PROPERTY(int IndicatorWidth READ IndicatorWidth WRITE SetIndicatorWidth)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE SetShowFocusRect)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(int BorderSize READ BorderSize WRITE SetBorderSize)
    Q_PROPERTY(TColorProperty BorderHighlightColor READ BorderHighlightColor WRITE SetBorderHighlightColor)
    Q_PROPERTY(TColorProperty BorderShadowColor READ BorderShadowColor WRITE SetBorderShadowColor)
    Q_PROPERTY(TBitmap* Glyph READ Glyph)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(TColorProperty BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)

public:
    // Where the caption sits: beside the lamp (islcaIndicator) or toward the side opposite it (islcaOppisiteSide).
    enum TiSwitchLedCaptionAlignment { islcaIndicator, islcaOppisiteSide };
    Q_ENUM(TiSwitchLedCaptionAlignment)
    // The side of the button the lamp is on.
    enum TiSideAlignment { isaBottom, isaTop, isaLeft, isaRight };
    Q_ENUM(TiSideAlignment)
    // ismsNone: a click toggles Active; ismsSimple: momentary, active while the mouse button is held.
    enum TiSwitchMomentaryStyle { ismsNone, ismsSimple };
    Q_ENUM(TiSwitchMomentaryStyle)

    explicit TiSwitchLed(QWidget* parent = nullptr);  // creates a 40 x 28 switch captioned "On"
    ~TiSwitchLed() override;

    TNotifyEvent OnChange;      // every change of Active
    TNotifyEvent OnChangeUser;  // changes of Active made by the user

    bool Active() const { return active_; }  // whether the switch is on (its lamp lit in ActiveColor); a change repaints and fires OnChange
    void SetActive(bool value);  // asks the veto hook first; no events while loading
    TColor ActiveColor() const { return activeColor_; }  // colour of the lamp while Active; a change repaints
    void SetActiveColor(TColor value) { SetProperty(value, activeColor_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    bool AutoLedSize() const { return autoLedSize_; }  // whether the lamp spans the button's side (less IndicatorMargin at each end) instead of IndicatorWidth x IndicatorHeight; a change repaints
    void SetAutoLedSize(bool value) { SetProperty(value, autoLedSize_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    QString Caption() const { return caption_; }  // the button's text; an & marks the accelerator key; a change repaints
    void SetCaption(const QString& value);  // also sets the window title and the accelerator
    TFont* CaptionFont() const { return captionFont_.get(); }  // font of the caption, owned by the switch
    void SetCaptionFont(const TFont* value);  // copies the attributes
    int CaptionMargin() const { return captionMargin_; }  // pixels between the caption and the lamp or the button's edge; a change repaints
    void SetCaptionMargin(int value) { SetProperty(value, captionMargin_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    TiSwitchLedCaptionAlignment CaptionAlignment() const { return captionAlignment_; }  // where the caption sits against the lamp; a change repaints
    void SetCaptionAlignment(TiSwitchLedCaptionAlignment value);  // an unknown value is ignored
    TiSideAlignment IndicatorAlignment() const { return indicatorAlignment_; }  // the side of the button the lamp is on; a change repaints
    void SetIndicatorAlignment(TiSideAlignment value);  // an unknown value is ignored
    TiSwitchMomentaryStyle MomentaryStyle() const { return momentaryStyle_; }  // whether a click toggles the switch or it is active only while held; a change repaints
    void SetMomentaryStyle(TiSwitchMomentaryStyle value);  // an unknown value is ignored
    int IndicatorHeight() const { return indicatorHeight_; }  // height of the lamp in pixels (no lamp at 1 or less); a change repaints
    void SetIndicatorHeight(int value) { SetProperty(value, indicatorHeight_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    int IndicatorMargin() const { return indicatorMargin_; }  // pixels between the lamp and the button's edge; a change repaints
    void SetIndicatorMargin(int value) { SetProperty(value, indicatorMargin_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    int IndicatorWidth() const { return indicatorWidth_; }  // width of the lamp in pixels (no lamp at 1 or less); a change repaints
    void SetIndicatorWidth(int value) { SetProperty(value, indicatorWidth_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    bool ShowFocusRect() const { return showFocusRect_; }  // whether a dotted focus frame is drawn while the switch has the focus; a change repaints
    void SetShowFocusRect(bool value) { SetProperty(value, showFocusRect_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    bool WordWrap() const { return wordWrap_; }  // whether a long caption wraps onto several lines; a change repaints
    void SetWordWrap(bool value) { SetProperty(value, wordWrap_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    // The width of the 3D border: at least 2, at most kMaximumBorderSize.
    // Half the largest widget size: a border that wide fills any switch, and
    // a wider one draws nothing new (painting stops anyway at the rings that
    // lie wholly outside the widget).
    static constexpr int kMaximumBorderSize = QWIDGETSIZE_MAX / 2;
    int BorderSize() const { return borderSize_; }  // width of the 3D border in pixels; a change repaints
    void SetBorderSize(int value);  // clamped to 2..kMaximumBorderSize
    TColor BorderHighlightColor() const { return borderHighlightColor_; }  // light colour of the 3D border; a change repaints
    void SetBorderHighlightColor(TColor value) { SetProperty(value, borderHighlightColor_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    TColor BorderShadowColor() const { return borderShadowColor_; }  // dark colour of the 3D border; a change repaints
    void SetBorderShadowColor(TColor value) { SetProperty(value, borderShadowColor_, ickInvalidate); }  // repaints (the switch keeps no cached picture)
    TBitmap* Glyph() const { return glyph_.get(); }  // a picture drawn in place of the lamp while not empty (its lower-left pixel's colour is transparent)
    void SetGlyph(const TBitmap* value);  // copies the picture
    // Whether Tab moves the focus to the switch; a click focuses it either way.
    bool TabStop() const;
    void SetTabStop(bool value);  // sets the focus policy (Tab and click, or click only)

    // Pressed look: a mouse press or a space-bar press is under way.
    bool IsMousePressed() const { return mousePressed_; }
    bool IsSpacePressed() const { return spacePressed_; }  // whether the space bar is held on the switch

protected:
    void PaintContent(TCanvas& canvas) override;
    void UserMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void UserMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void UserKeyDown(int& key, TShiftState shift) override;
    void UserKeyUp(int& key, TShiftState shift) override;
    void DoLostFocus() override;
    void CancelMouseInteraction() override { CancelPress(); }
    void FillOPCPropertyNames(QStringList& names) override;
    bool event(QEvent* event) override;  // toggles the switch on the caption's accelerator

private:
    struct Layout {
        TRect inner;
        TRect lamp;
        TRect caption;
        TextFormatOptions captionAlignment;
    };

    template <typename Enum> void SetEnumProperty(Enum value, Enum& field);
    void ApplyUserChange(bool value);
    // Cancels a press under way without toggling (focus loss, a raising OnClick).
    void CancelPress();
    void ReportMouseDown(bool down);
    void RegrabAccelerator();
    void OnAccelerator();
    bool IsPressed() const { return mousePressed_ || spacePressed_; }

    Layout ComputeLayout(TCanvas& canvas);
    TSize LampSize(const TRect& inner) const;
    void PlaceLampAndCaption(Layout& layout, TSize lamp, TPoint center) const;
    void DrawBorder3D(TCanvas& canvas);
    void DrawBorderRing(TCanvas& canvas, int inset, TColor light, TColor dark);
    void DrawDarkPair(TCanvas& canvas, int inset, TColor dark);
    void DrawCaption(TCanvas& canvas, TRect rect, TextFormatOptions alignment);
    void DrawLamp(TCanvas& canvas, TRect lamp);
    void DrawGlyph(TCanvas& canvas, const TRect& lamp);

    bool active_ = false;
    TColor activeColor_ = clLime;
    bool autoLedSize_ = true;
    QString caption_;
    std::unique_ptr<TFont> captionFont_;
    int captionMargin_ = 2;
    TiSwitchLedCaptionAlignment captionAlignment_ = islcaIndicator;
    TiSideAlignment indicatorAlignment_ = isaBottom;
    TiSwitchMomentaryStyle momentaryStyle_ = ismsNone;
    int indicatorHeight_ = 4;
    int indicatorMargin_ = 5;
    int indicatorWidth_ = 10;
    bool showFocusRect_ = true;
    bool wordWrap_ = false;
    int borderSize_ = 2;
    TColor borderHighlightColor_ = clBtnHighlight;
    TColor borderShadowColor_ = clBtnShadow;
    std::unique_ptr<TBitmap> glyph_;

    bool mousePressed_ = false;
    bool spacePressed_ = false;
    bool userChange_ = false;
    int acceleratorId_ = 0;
};

using TiSwitchLedCaptionAlignment = TiSwitchLed::TiSwitchLedCaptionAlignment;
using enum TiSwitchLed::TiSwitchLedCaptionAlignment;
using TiSideAlignment = TiSwitchLed::TiSideAlignment;
using enum TiSwitchLed::TiSideAlignment;
using TiSwitchMomentaryStyle = TiSwitchLed::TiSwitchMomentaryStyle;
using enum TiSwitchLed::TiSwitchMomentaryStyle;
