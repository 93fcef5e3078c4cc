// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/label.h"

#include "widgets/base/drawing_helpers.h"
#include "widgets/base/enum_range.h"
#include "widgets/base/property_access.h"
#include "widgets/base/scoped_flag.h"

#include <QImage>
#include <QKeySequence>
#include <QShortcutEvent>
#include <cstdlib>

namespace {

// Property files may name only the values this enumeration has.
void RegisterLabelEnumerations()
{
    static const bool registered = [] {
        RegisterEnumRange<TiLabelBorderStyle>(ilbsNone, ilbsRaised);
        return true;
    }();
    (void)registered;
}

}  // namespace

TiLabel::TiLabel(QWidget* parent) : TiCustomComponent(parent), caption_(QStringLiteral("iLabel")), font_(std::make_unique<TFont>())
{
    RegisterLabelEnumerations();
    resize(28, 13);
    setFocusPolicy(Qt::NoFocus);
    connect(font_.get(), &TFont::Changed, this, [this] {
        AdjustBounds();
        BackGroundChange();
    });
}

TiLabel::~TiLabel()
{
    disconnect(focusControlWatch_);
}

// --- Properties -------------------------------------------------------------

void TiLabel::SetAlignment(TiAlignmentHorizontal value)
{
    if (value == alignment_ || !InEnumRange(value, iahCenter, iahRight))
        return;
    alignment_ = value;
    BackGroundChange();
}

void TiLabel::SetBorderStyle(TiLabelBorderStyle value)
{
    if (InEnumRange(value, ilbsNone, ilbsRaised))
        SetLayoutProperty(value, labelBorderStyle_);
}

void TiLabel::SetCaption(const QString& value)
{
    if (value == caption_)
        return;
    if (!AskVetoHook(QStringLiteral("Caption")))
        return;
    caption_ = value;
    RegrabAccelerator();
    AdjustBounds();
    BackGroundChange();
    NotifyAccessibleChange(QStringLiteral("Caption"));
}

void TiLabel::SetFont(const TFont* value)
{
    if (value)
        font_->Assign(*value);
}

void TiLabel::SetFocusControl(QWidget* control)
{
    if (control == focusControl_.data())
        return;
    disconnect(focusControlWatch_);
    focusControl_ = control;
    if (control)
        focusControlWatch_ = connect(control, &QObject::destroyed, this, [this] { FocusControlDestroyed(); });
    RegrabAccelerator();
    BackGroundChange();
}

void TiLabel::FocusControlDestroyed()
{
    focusControl_.clear();
    RegrabAccelerator();
    BackGroundChange();
}

void TiLabel::Loaded()
{
    TiCustomComponent::Loaded();
    AdjustBounds();
}

// --- Accelerator ------------------------------------------------------------

void TiLabel::RegrabAccelerator()
{
    if (acceleratorId_ != 0) {
        releaseShortcut(acceleratorId_);
        acceleratorId_ = 0;
    }
    if (!focusControl_)
        return;
    const QKeySequence sequence = QKeySequence::mnemonic(caption_);
    if (!sequence.isEmpty())
        acceleratorId_ = grabShortcut(sequence);
}

bool TiLabel::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && acceleratorId_ != 0 &&
        static_cast<QShortcutEvent*>(event)->shortcutId() == acceleratorId_) {
        QWidget* target = focusControl_.data();
        if (target && isEnabled() && target->isEnabled() && target->focusPolicy() != Qt::NoFocus)
            target->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return TiCustomComponent::event(event);
}

// --- Size -------------------------------------------------------------------

int TiLabel::FrameWidth() const
{
    switch (labelBorderStyle_) {
    case ilbsNone:
        return 0;
    case ilbsSingle:
        return 1;
    case ilbsLowered:
    case ilbsRaised:
        return 2;
    }
    return 0;
}

TextFormatOptions TiLabel::TextOptions() const
{
    using O = TextFormatOptions;
    TextFormatOptions options = O::AlignVCenter | HorizontalAlignmentOptions(alignment_);
    options |= wordWrap_ ? O::WordBreak : O::SingleLine;
    if (focusControl_)
        options |= O::Prefix;
    return options;
}

void TiLabel::AdjustBounds()
{
    if (!autoSize_ || IsLoading() || adjusting_)
        return;
    ScopedFlag adjusting(adjusting_);
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&scratch);
    canvas.Font.Assign(*font_);
    const int frame = 2 * FrameWidth();
    const int dx = shadowShow_ ? std::abs(shadowXOffset_) : 0;
    const int dy = shadowShow_ ? std::abs(shadowYOffset_) : 0;
    int width = Width();
    int height = 0;
    if (wordWrap_) {
        TRect measured(Left(), 0, Left() + Width(), 0);
        const int textHeight = DrawWideTextInRect(canvas, caption_, measured, BackGroundColor(), true,
                                                  TextOptions() | TextFormatOptions::CalcRect);
        height = textHeight + frame + outerMarginTop_ + outerMarginBottom_ + dy;
    } else {
        const TSize extent = canvas.TextExtent(caption_);
        width = extent.cx + frame + outerMarginLeft_ + outerMarginRight_ + dx;
        height = extent.cy + frame + outerMarginTop_ + outerMarginBottom_ + dy;
    }
    canvas.Flush();
    SetWidth(width);
    SetHeight(height);
}

// --- Painting ---------------------------------------------------------------

void TiLabel::PaintContent(TCanvas& canvas)
{
    // The label changes only through its properties, so all of it is static.
    if (!CachedDrawing()) {
        DrawLabel(canvas);
        return;
    }
    if (IsBackGroundChanged()) {
        DrawLabel(GetCacheBitmap().Canvas());
        ClearBackGroundChanged();
    }
    DrawCacheBitmap(canvas);
}

void TiLabel::DrawLabel(TCanvas& canvas)
{
    DrawBackground(canvas, BackGroundColor());
    canvas.Font.Assign(*font_);
    canvas.Brush.Style = bsClear;
    const int b = FrameWidth();
    TRect text(b + outerMarginLeft_, b + outerMarginTop_, Width() - b - outerMarginRight_,
               Height() - b - outerMarginBottom_);
    const TextFormatOptions options = TextOptions();
    if (shadowShow_) {
        // The shadow always sits at the offset relative to the text: with a
        // negative x offset the text moves instead of the shadow.
        canvas.Font.SetColor(shadowColor_);
        if (shadowXOffset_ >= 0)
            text = text.Offset(shadowXOffset_, shadowYOffset_);
        TRect shadow = text;
        DrawWideTextInRect(canvas, caption_, shadow, BackGroundColor(), true, options);
        canvas.Font.SetColor(font_->Color());
        text = text.Offset(-shadowXOffset_, -shadowYOffset_);
    }
    DrawWideTextInRect(canvas, caption_, text, BackGroundColor(), true, options);
    DrawFrame(canvas);
}

void TiLabel::DrawFrame(TCanvas& canvas)
{
    const TRect whole(0, 0, Width(), Height());
    canvas.Pen.Color = clWindowFrame;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    switch (labelBorderStyle_) {
    case ilbsNone:
        break;
    case ilbsSingle:
        canvas.Brush.Style = bsClear;
        canvas.Rectangle(whole);
        break;
    case ilbsLowered:
        DrawBevel(canvas, whole, 0);
        break;
    case ilbsRaised:
        DrawBevel(canvas, whole, 1);
        break;
    }
}
