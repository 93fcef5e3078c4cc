// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TiSwitchLed: a push switch drawn as a raised button carrying a caption and a
// small lamp. Each click (press and release inside), space-bar press or
// accelerator key toggles Active; every change of Active fires OnChange, and
// OnChangeUser follows for changes the user made. With ismsSimple the switch
// is momentary: active while the mouse button is held.

#include "widgets/base/component.h"

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
    enum TiSwitchLedCaptionAlignment { islcaIndicator, islcaOppisiteSide };
    Q_ENUM(TiSwitchLedCaptionAlignment)
    enum TiSideAlignment { isaBottom, isaTop, isaLeft, isaRight };
    Q_ENUM(TiSideAlignment)
    enum TiSwitchMomentaryStyle { ismsNone, ismsSimple };
    Q_ENUM(TiSwitchMomentaryStyle)

    explicit TiSwitchLed(QWidget* parent = nullptr);
    ~TiSwitchLed() override;

    TNotifyEvent OnChange;      // every change of Active
    TNotifyEvent OnChangeUser;  // changes of Active made by the user

    bool Active() const { return active_; }
    void SetActive(bool value);
    TColor ActiveColor() const { return activeColor_; }
    void SetActiveColor(TColor value) { SetProperty(value, activeColor_, ickInvalidate); }
    bool AutoLedSize() const { return autoLedSize_; }
    void SetAutoLedSize(bool value) { SetProperty(value, autoLedSize_, ickInvalidate); }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    TFont* CaptionFont() const { return captionFont_.get(); }
    void SetCaptionFont(const TFont* value);
    int CaptionMargin() const { return captionMargin_; }
    void SetCaptionMargin(int value) { SetProperty(value, captionMargin_, ickInvalidate); }
    TiSwitchLedCaptionAlignment CaptionAlignment() const { return captionAlignment_; }
    void SetCaptionAlignment(TiSwitchLedCaptionAlignment value);
    TiSideAlignment IndicatorAlignment() const { return indicatorAlignment_; }
    void SetIndicatorAlignment(TiSideAlignment value);
    TiSwitchMomentaryStyle MomentaryStyle() const { return momentaryStyle_; }
    void SetMomentaryStyle(TiSwitchMomentaryStyle value);
    int IndicatorHeight() const { return indicatorHeight_; }
    void SetIndicatorHeight(int value) { SetProperty(value, indicatorHeight_, ickInvalidate); }
    int IndicatorMargin() const { return indicatorMargin_; }
    void SetIndicatorMargin(int value) { SetProperty(value, indicatorMargin_, ickInvalidate); }
    int IndicatorWidth() const { return indicatorWidth_; }
    void SetIndicatorWidth(int value) { SetProperty(value, indicatorWidth_, ickInvalidate); }
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value) { SetProperty(value, showFocusRect_, ickInvalidate); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { SetProperty(value, wordWrap_, ickInvalidate); }
    // The width of the 3D border: at least 2, at most kMaximumBorderSize.
    // Half the largest widget size: a border that wide fills any switch, and
    // a wider one draws nothing new (painting stops anyway at the rings that
    // lie wholly outside the widget).
    static constexpr int kMaximumBorderSize = QWIDGETSIZE_MAX / 2;
    int BorderSize() const { return borderSize_; }
    void SetBorderSize(int value);
    TColor BorderHighlightColor() const { return borderHighlightColor_; }
    void SetBorderHighlightColor(TColor value) { SetProperty(value, borderHighlightColor_, ickInvalidate); }
    TColor BorderShadowColor() const { return borderShadowColor_; }
    void SetBorderShadowColor(TColor value) { SetProperty(value, borderShadowColor_, ickInvalidate); }
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(const TBitmap* value);  // copies the picture
    bool TabStop() const;
    void SetTabStop(bool value);

    // Pressed look: a mouse press or a space-bar press is under way.
    bool IsMousePressed() const { return mousePressed_; }
    bool IsSpacePressed() const { return spacePressed_; }

protected:
    void PaintContent(TCanvas& canvas) override;
    void UserMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void UserMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void UserKeyDown(int& key, TShiftState shift) override;
    void UserKeyUp(int& key, TShiftState shift) override;
    void DoLostFocus() override;
    void CancelMouseInteraction() override { CancelPress(); }
    void FillOPCPropertyNames(QStringList& names) override;
    bool event(QEvent* event) override;

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
