// SPDX-License-Identifier: GPL-3.0-or-later
// TiVCLComponent: paint lock, transparency, repeat timer, OPC interface points.

#include "widgets/base/component.h"

#include "widgets/base/property_access.h"

#include <QPainter>

TiVCLComponent::TiVCLComponent(QWidget* parent) : TiComponent(parent)
{
    repeatTimer_.setSingleShot(false);
    connect(&repeatTimer_, &QTimer::timeout, this, [this] { RepeatTimerTick(); });
}

TiVCLComponent::~TiVCLComponent()
{
    destroying_ = true;
    transparencyBitmap_.reset();
    StopRepeatTimer();
}

// --- Paint lock ----------------------------------------------------------

void TiVCLComponent::LockPaint()
{
    if (!destroying_)
        paintLock_.lock();
}

void TiVCLComponent::UnlockPaint()
{
    if (!destroying_)
        paintLock_.unlock();
}

// --- Transparency --------------------------------------------------------

void TiVCLComponent::SetTransparent(bool value)
{
    if (transparent_ == value)
        return;
    transparent_ = value;
    if (value) {
        if (!transparencyBitmap_)
            transparencyBitmap_ = std::make_unique<TBitmap>(Width(), Height(), devicePixelRatioF());
        RequestCapture();
    } else {
        transparencyBitmap_.reset();
        captureNeeded_ = false;
    }
    BackGroundChange();
}

void TiVCLComponent::RequestCapture()
{
    if (!transparent_ || captureNeeded_)
        return;
    captureNeeded_ = true;
    BackGroundChange();
}

void TiVCLComponent::FullRepaint()
{
    RequestCapture();
    TiComponent::FullRepaint();
}

void TiVCLComponent::PrepareForPaint()
{
    if (transparent_ && captureNeeded_)
        MarkBackGroundChanged();
}

void TiVCLComponent::BoundsChanged(bool resized)
{
    if (resized && transparencyBitmap_ && Width() > 0 && Height() > 0)
        transparencyBitmap_->SetSize(Width(), Height(), devicePixelRatioF());
    RequestCapture();
    TiComponent::BoundsChanged(resized);
}

bool TiVCLComponent::IsPointUncovered(QPoint point) const
{
    // Walks up the parents: the point must lie inside each of them and under
    // no visible sibling stacked above the widget on the way.
    const QWidget* widget = this;
    while (const QWidget* parent = widget->parentWidget()) {
        point = widget->mapToParent(point);
        if (!parent->rect().contains(point))
            return false;
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(widget)) + 1; i < siblings.size(); ++i) {
            const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
            if (sibling != nullptr && sibling->isVisible() && !sibling->isWindow() && sibling->geometry().contains(point))
                return false;
        }
        if (parent->isWindow())
            break;
        widget = parent;
    }
    return true;
}

void TiVCLComponent::CaptureParent()
{
    transparencyBitmap_->SetSize(Width(), Height(), devicePixelRatioF());
    QWidget* parent = parentWidget();
    const QPoint probes[] = {{5, 5}, {Width() - 5, 5}, {5, Height() - 5}, {Width() - 5, Height() - 5}};
    bool allVisible = parent != nullptr && isVisible();
    for (const QPoint& probe : probes)
        allVisible = allVisible && IsPointUncovered(probe);
    if (allVisible) {
        // The parent's own picture under the widget, without its children.
        QImage& image = transparencyBitmap_->MutableImage();
        QPainter painter(&image);
        parent->render(&painter, QPoint(0, 0), QRegion(geometry()), QWidget::DrawWindowBackground);
        painter.end();
        captureNeeded_ = false;
    } else {
        TCanvas& canvas = transparencyBitmap_->Canvas();
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = BackGroundColor();
        canvas.FillRect(TRect(0, 0, Width(), Height()));
        canvas.Flush();
    }
}

void TiVCLComponent::DrawBackground(TCanvas& canvas, TColor color)
{
    if (!transparent_) {
        TiComponent::DrawBackground(canvas, color);
        return;
    }
    ClearBackGroundChanged();
    if (!transparencyBitmap_)
        transparencyBitmap_ = std::make_unique<TBitmap>(Width(), Height(), devicePixelRatioF());
    if (captureNeeded_ || transparencyBitmap_->Width() != Width() || transparencyBitmap_->Height() != Height())
        CaptureParent();
    canvas.Draw(0, 0, *transparencyBitmap_);
}

// --- Repeat timer --------------------------------------------------------

bool TiVCLComponent::IsRepeatTimerRunning() const { return repeatTimerId_ != 0; }

void TiVCLComponent::StartRepeatTimer(int initialDelay, int repeatInterval)
{
    if (IsRepeatTimerRunning())
        return;
    repeatInterval_ = repeatInterval;
    int delay = initialDelay;
    if (initialDelay == 0) {
        if (repeatInterval == 0)
            return;
        delay = repeatInterval;
        firstShot_ = false;
    } else {
        firstShot_ = true;
    }
    repeatTimer_.start(std::max(delay, 1));
    repeatTimerId_ = 1;
}

void TiVCLComponent::StopRepeatTimer()
{
    repeatTimer_.stop();
    repeatTimerId_ = 0;
}

void TiVCLComponent::RepeatTimerTick()
{
    if (firstShot_) {
        firstShot_ = false;
        // The platform timer's shortest interval: a zero repeat interval does
        // not turn into a busy loop.
        repeatTimer_.start(std::max(repeatInterval_, 10));
    }
    if (OnRepeatTimer)
        OnRepeatTimer(this);
}

// --- OPC interface points ------------------------------------------------

bool TiVCLComponent::ApplyOPCValue(const QString&, QVariant&) { return false; }

void TiVCLComponent::FillOPCPropertyNames(QStringList&) {}

bool TiVCLComponent::OutputPropertyValue(const QString&, const QVariant&)
{
    if (opcApplyInProgress_) {
        // A value just received is not echoed back.
        opcApplyInProgress_ = false;
        return false;
    }
    // No OPC items are bound in this build.
    return false;
}

void TiVCLComponent::ReceiveOPCData(int itemIndex, const QString& propertyName, QVariant data, bool itemEnabled)
{
    if (OnBeforeNewOPCData)
        OnBeforeNewOPCData(this, itemIndex, data);
    opcApplyInProgress_ = true;
    try {
        if (itemEnabled && !ApplyOPCValue(propertyName, data))
            AssignPropertyVariant(*this, propertyName, data);
    } catch (...) {
        opcApplyInProgress_ = false;
        throw;
    }
    // Cleared even when the assignment changed nothing, so the next real
    // change is still published.
    opcApplyInProgress_ = false;
    if (OnNewOPCData)
        OnNewOPCData(this, itemIndex);
}

const QStringList& TiVCLComponent::OPCPropertyNames() const
{
    if (opcPropertyNames_.isEmpty())
        const_cast<TiVCLComponent*>(this)->FillOPCPropertyNames(const_cast<TiVCLComponent*>(this)->opcPropertyNames_);
    return opcPropertyNames_;
}
