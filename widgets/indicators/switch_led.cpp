// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/switch_led.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/enum_range.h"
#include "widgets/base/property_access.h"
#include "widgets/base/scoped_flag.h"

#include <QKeySequence>
#include <QShortcutEvent>
#include <algorithm>

namespace {

constexpr int kMinimumBorderSize = 2;

// Property files may name only the values these enumerations have.
void RegisterSwitchEnumerations()
{
    static const bool registered = [] {
        RegisterEnumRange<TiSwitchLedCaptionAlignment>(islcaIndicator, islcaOppisiteSide);
        RegisterEnumRange<TiSideAlignment>(isaBottom, isaRight);
        RegisterEnumRange<TiSwitchMomentaryStyle>(ismsNone, ismsSimple);
        return true;
    }();
    (void)registered;
}

}  // namespace

TiSwitchLed::TiSwitchLed(QWidget* parent)
    : TiCustomComponent(parent), captionFont_(std::make_unique<TFont>()), glyph_(std::make_unique<TBitmap>())
{
    RegisterSwitchEnumerations();
    resize(40, 28);
    setFocusPolicy(Qt::StrongFocus);
    connect(captionFont_.get(), &TFont::Changed, this, [this] { InvalidateChange(); });
    connect(glyph_.get(), &TBitmap::Changed, this, [this] { InvalidateChange(); });
    SetCaption(QStringLiteral("On"));
}

TiSwitchLed::~TiSwitchLed() = default;

// --- Properties -------------------------------------------------------------

void TiSwitchLed::SetActive(bool value)
{
    if (value == active_)
        return;
    if (!AskVetoHook(QStringLiteral("Active")))
        return;
    active_ = value;
    InvalidateChange();
    if (!IsLoading()) {
        NotifyChangeHook(QStringLiteral("Active"));
        if (OnChange)
            OnChange(this);
        if (userChange_ && OnChangeUser)
            OnChangeUser(this);
    }
    OutputPropertyValue(QStringLiteral("Active"), value);
}

void TiSwitchLed::SetCaption(const QString& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    setWindowTitle(value);
    RegrabAccelerator();
    InvalidateChange();
    NotifyAccessibleChange(QStringLiteral("Caption"));
}

void TiSwitchLed::SetCaptionFont(const TFont* value)
{
    if (value)
        captionFont_->Assign(*value);
}

template <typename Enum> void TiSwitchLed::SetEnumProperty(Enum value, Enum& field)
{
    if (value == field)
        return;
    field = value;
    InvalidateChange();
}

void TiSwitchLed::SetCaptionAlignment(TiSwitchLedCaptionAlignment value)
{
    if (InEnumRange(value, islcaIndicator, islcaOppisiteSide))
        SetEnumProperty(value, captionAlignment_);
}

void TiSwitchLed::SetIndicatorAlignment(TiSideAlignment value)
{
    if (InEnumRange(value, isaBottom, isaRight))
        SetEnumProperty(value, indicatorAlignment_);
}

void TiSwitchLed::SetMomentaryStyle(TiSwitchMomentaryStyle value)
{
    if (InEnumRange(value, ismsNone, ismsSimple))
        SetEnumProperty(value, momentaryStyle_);
}

void TiSwitchLed::SetBorderSize(int value)
{
    SetProperty(std::clamp(value, kMinimumBorderSize, kMaximumBorderSize), borderSize_, ickInvalidate);
}

void TiSwitchLed::SetGlyph(const TBitmap* value)
{
    if (value)
        glyph_->Assign(*value);
    else
        glyph_->Clear();
}

bool TiSwitchLed::TabStop() const
{
    return focusPolicy() == Qt::StrongFocus;
}

void TiSwitchLed::SetTabStop(bool value)
{
    // Without a tab stop the switch still takes the focus when clicked.
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TiSwitchLed::FillOPCPropertyNames(QStringList& names)
{
    names.append(QStringLiteral("{MouseDown}"));
}

// --- User input -------------------------------------------------------------

void TiSwitchLed::ApplyUserChange(bool value)
{
    ScopedFlag userChange(userChange_);
    SetActive(value);
}

void TiSwitchLed::ReportMouseDown(bool down)
{
    OutputPropertyValue(QStringLiteral("{MouseDown}"), down);
}

void TiSwitchLed::UserMouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button != mbLeft)
        return;
    setFocus(Qt::MouseFocusReason);
    mousePressed_ = true;
    InvalidateChange();
    ReportMouseDown(true);
    if (momentaryStyle_ == ismsSimple)
        ApplyUserChange(true);
}

void TiSwitchLed::UserMouseUp(TMouseButton, TShiftState, int x, int y)
{
    if (!mousePressed_)
        return;
    mousePressed_ = false;
    InvalidateChange();
    ReportMouseDown(false);
    if (momentaryStyle_ == ismsSimple)
        ApplyUserChange(false);
    else if (x >= 0 && x < Width() && y >= 0 && y < Height())
        ApplyUserChange(!active_);
}

void TiSwitchLed::UserKeyDown(int& key, TShiftState)
{
    if (key != Qt::Key_Space)
        return;
    mousePressed_ = false;
    spacePressed_ = true;
    InvalidateChange();
}

void TiSwitchLed::UserKeyUp(int& key, TShiftState)
{
    if (key != Qt::Key_Space || !spacePressed_)
        return;
    InvalidateChange();
    mousePressed_ = false;
    spacePressed_ = false;
    ApplyUserChange(!active_);
}

void TiSwitchLed::DoLostFocus()
{
    CancelPress();
    TiCustomComponent::DoLostFocus();
}

void TiSwitchLed::CancelPress()
{
    const bool wasMousePressed = mousePressed_;
    mousePressed_ = false;
    spacePressed_ = false;
    InvalidateChange();
    if (wasMousePressed) {
        ReportMouseDown(false);
        // A momentary switch must not stay on when its press is cut short.
        if (momentaryStyle_ == ismsSimple)
            ApplyUserChange(false);
    }
}

// The caption's "&x" accelerator toggles the switch from anywhere in its window.
void TiSwitchLed::RegrabAccelerator()
{
    if (acceleratorId_ != 0) {
        releaseShortcut(acceleratorId_);
        acceleratorId_ = 0;
    }
    const QKeySequence sequence = QKeySequence::mnemonic(caption_);
    if (!sequence.isEmpty())
        acceleratorId_ = grabShortcut(sequence);
}

bool TiSwitchLed::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && acceleratorId_ != 0 &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == acceleratorId_) {
        OnAccelerator();
        return true;
    }
    return TiCustomComponent::event(event);
}

void TiSwitchLed::OnAccelerator()
{
    if (!isEnabled())
        return;
    setFocus(Qt::ShortcutFocusReason);
    InvalidateChange();
    UserInteractionScope interaction(*this);
    ApplyUserChange(!active_);
}

// --- Painting ---------------------------------------------------------------

void TiSwitchLed::PaintContent(TCanvas& canvas)
{
    if (CachedDrawing()) {
        if (IsBackGroundChanged()) {
            DrawBackground(GetCacheBitmap().Canvas(), BackGroundColor());
            ClearBackGroundChanged();
        }
        DrawCacheBitmap(canvas);
    } else {
        DrawBackground(canvas, BackGroundColor());
    }
    DrawBorder3D(canvas);
    const Layout layout = ComputeLayout(canvas);
    DrawCaption(canvas, layout.caption, layout.captionAlignment);
    const bool hasGlyph = !glyph_->IsEmpty();
    if (hasGlyph || (indicatorHeight_ > 1 && indicatorWidth_ > 1)) {
        const TRect lamp = IsPressed() ? layout.lamp.Offset(1, 1) : layout.lamp;
        if (hasGlyph)
            DrawGlyph(canvas, lamp);
        else
            DrawLamp(canvas, lamp);
    }
    if (showFocusRect_ && Focused())
        DrawFocusRectangle(canvas, layout.inner.Inflated(-3, -3), clBtnFace);
}

// Light pair: top and left edges; dark pair: right and bottom edges, at `inset`
// pixels from the outside.
void TiSwitchLed::DrawBorderRing(TCanvas& canvas, int inset, TColor light, TColor dark)
{
    const int right = Width() - 1 - inset;
    const int bottom = Height() - 1 - inset;
    canvas.Pen.Color = light;
    canvas.Polyline({TPoint(inset, inset), TPoint(right, inset)});
    canvas.Polyline({TPoint(inset, inset), TPoint(inset, bottom)});
    DrawDarkPair(canvas, inset, dark);
}

void TiSwitchLed::DrawDarkPair(TCanvas& canvas, int inset, TColor dark)
{
    const int right = Width() - 1 - inset;
    const int bottom = Height() - 1 - inset;
    canvas.Pen.Color = dark;
    canvas.Polyline({TPoint(right, bottom), TPoint(right, inset - 1)});
    canvas.Polyline({TPoint(right, bottom), TPoint(inset - 1, bottom)});
}

void TiSwitchLed::DrawBorder3D(TCanvas& canvas)
{
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    // A ring at an inset of the widget's larger side or more lies wholly
    // outside it: the rings drawn stop there, however wide the border.
    const int rings = std::min(borderSize_, std::max(Width(), Height()));
    if (!Focused()) {
        DrawBorderRing(canvas, 0, clBtnHighlight, clBlack);
        for (int i = 1; i < rings; ++i)
            DrawBorderRing(canvas, i, borderHighlightColor_, borderShadowColor_);
    } else if (IsPressed()) {
        DrawBorderRing(canvas, 0, clBlack, clBlack);
        DrawBorderRing(canvas, 1, cl3DDkShadow, cl3DDkShadow);
        for (int i = 2; i < rings; ++i)
            DrawBorderRing(canvas, i, borderShadowColor_, borderHighlightColor_);
    } else {
        DrawBorderRing(canvas, 0, cl3DDkShadow, clBlack);
        for (int i = 1; i < rings; ++i)
            DrawBorderRing(canvas, i, borderHighlightColor_, borderShadowColor_);
        if (rings == borderSize_)
            DrawDarkPair(canvas, borderSize_, borderShadowColor_);
    }
}

TiSwitchLed::Layout TiSwitchLed::ComputeLayout(TCanvas& canvas)
{
    Layout layout;
    const int c = borderSize_ - 2;
    layout.inner = TRect(c, c, Width() - c - 1, Height() - c - 1);
    const TPoint center = GetCenterPoint(canvas);
    PlaceLampAndCaption(layout, LampSize(layout.inner), center);
    return layout;
}

TSize TiSwitchLed::LampSize(const TRect& inner) const
{
    if (!glyph_->IsEmpty())
        return TSize{glyph_->Width(), glyph_->Height()};
    if (!autoLedSize_)
        return TSize{indicatorWidth_, indicatorHeight_};
    if (indicatorAlignment_ == isaBottom || indicatorAlignment_ == isaTop)
        return TSize{inner.Width() - 2 * indicatorMargin_, indicatorHeight_};
    return TSize{indicatorWidth_, inner.Height() - 2 * indicatorMargin_};
}

void TiSwitchLed::PlaceLampAndCaption(Layout& layout, TSize lamp, TPoint center) const
{
    using O = TextFormatOptions;
    const TRect& in = layout.inner;
    const int w = lamp.cx;
    const int h = lamp.cy;
    const int m = indicatorMargin_;
    const int cm = captionMargin_;
    const bool nextToLamp = captionAlignment_ == islcaIndicator;
    TRect& l = layout.lamp;
    TRect& t = layout.caption;
    switch (indicatorAlignment_) {
    case isaBottom:
        l = TRect(center.X - w / 2, in.Bottom - m - h, center.X + w / 2, in.Bottom - m);
        t = nextToLamp ? TRect(in.Left, in.Top, in.Right, l.Top - cm) : TRect(in.Left, in.Top + cm, in.Right, l.Top);
        layout.captionAlignment = O::AlignCenter | (nextToLamp ? O::AlignBottom : O::AlignTop);
        break;
    case isaTop:
        l = TRect(center.X - w / 2, in.Top + m, center.X + w / 2, in.Top + m + h);
        t = nextToLamp ? TRect(in.Left, l.Bottom + cm, in.Right, in.Bottom)
                       : TRect(in.Left, l.Bottom, in.Right, in.Bottom - cm);
        layout.captionAlignment = O::AlignCenter | (nextToLamp ? O::AlignTop : O::AlignBottom);
        break;
    case isaLeft:
        l = TRect(in.Left + m, center.Y - h / 2, in.Left + m + w, center.Y + h / 2);
        t = nextToLamp ? TRect(l.Right + cm, in.Top, in.Right, in.Bottom)
                       : TRect(l.Right, in.Top, in.Right - cm, in.Bottom);
        layout.captionAlignment = (nextToLamp ? O::AlignLeft : O::AlignRight) | O::AlignVCenter;
        break;
    case isaRight:
        l = TRect(in.Right - m - w, center.Y - h / 2, in.Right - m, center.Y + h / 2);
        t = nextToLamp ? TRect(in.Left, in.Top, l.Left - cm, in.Bottom)
                       : TRect(in.Left + cm, in.Top, l.Left, in.Bottom);
        layout.captionAlignment = (nextToLamp ? O::AlignRight : O::AlignLeft) | O::AlignVCenter;
        break;
    }
}

void TiSwitchLed::DrawCaption(TCanvas& canvas, TRect rect, TextFormatOptions alignment)
{
    using O = TextFormatOptions;
    canvas.Font.Assign(*captionFont_);
    canvas.Brush.Style = bsClear;
    if (isEnabled() && IsPressed())
        rect = rect.Offset(1, 1);
    TextFormatOptions options = alignment | O::Prefix | O::NoClip;
    options |= wordWrap_ ? O::WordBreak : O::SingleLine;
    DrawTextInRect(canvas, caption_, rect, BackGroundColor(), isEnabled(), options);
}

void TiSwitchLed::DrawLamp(TCanvas& canvas, TRect lamp)
{
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = active_ ? activeColor_ : DimColor(activeColor_, 3);
    canvas.Pen.Color = clBlack;
    canvas.Rectangle(lamp.Left, lamp.Top, lamp.Right + 1, lamp.Bottom + 1);
    canvas.Pen.Color = clWhite;
    canvas.Polyline({TPoint(lamp.Left, lamp.Bottom), TPoint(lamp.Right, lamp.Bottom), TPoint(lamp.Right, lamp.Top - 1)});
}

// The glyph's bottom-left pixel is its transparent colour.
void TiSwitchLed::DrawGlyph(TCanvas& canvas, const TRect& lamp)
{
    QImage image = glyph_->Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000u) == transparent)
                line[x] = 0;
        }
    }
    canvas.DrawImage(lamp.Left, lamp.Top, image);
}
