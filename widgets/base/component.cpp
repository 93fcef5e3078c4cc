// SPDX-License-Identifier: GPL-3.0-or-later
// TiComponent: state, repaint requests, update bracket, loading bracket,
// background and border, cache bitmap and the paint pipeline.

#include "widgets/base/component.h"

#include "widgets/base/clock.h"
#include "widgets/base/drawing_helpers.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

TiComponent::TiComponent(QWidget* parent)
    : QWidget(parent),
      backGroundColor_(clBtnFace),
      errorText_(QStringLiteral("Error")),
      errorFont_(std::make_unique<TFont>()),
      lastRepaintTime_(TiClock::Now())
{
    // The widget paints its whole area and receives every mouse move.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    errorFont_->SetColor(clRed);
    errorFont_->SetBold(true);
    connect(errorFont_.get(), &TFont::Changed, this, [this] { InvalidateChange(); });
    TiUpdateObject::Instance().AddComponent(this);
}

TiComponent::~TiComponent()
{
    cacheBitmap_.reset();
    backGroundPicture_.reset();
    errorFont_.reset();
    // A widget that outlives the application has nothing left to unregister from.
    if (TiUpdateObject* updater = TiUpdateObject::InstanceIfAlive())
        updater->RemoveComponent(this);
}

// --- Set-helper ----------------------------------------------------------

void TiComponent::RepaintAfterChange(int changeKind)
{
    if (changeKind == ickInvalidate)
        InvalidateChange();
    else if (changeKind == ickBackGround)
        BackGroundChange();
}

// --- Base properties -----------------------------------------------------

void TiComponent::SetBounds(int left, int top, int width, int height)
{
    if (left == x() && top == y() && width == this->width() && height == this->height())
        return;
    setGeometry(left, top, width, height);
}

void TiComponent::SetBackGroundColor(TColor value) { SetProperty(value, backGroundColor_, ickBackGround); }

void TiComponent::SetBorderStyle(TiBevelStyle value)
{
    if (borderStyle_ == value)
        return;
    borderStyle_ = value;
    BackGroundChange();
}

void TiComponent::SetCachedDrawing(bool value)
{
    if (!SetProperty(value, cachedDrawing_, ickBackGround))
        return;
    if (!value)
        cacheBitmap_.reset();
}

void TiComponent::SetUpdateFrameRate(int value) { SetProperty(value, updateFrameRate_, ickBackGround); }

void TiComponent::SetAutoFrameRate(bool value)
{
    if (autoFrameRate_ == value)
        return;
    autoFrameRate_ = value;
    if (value)
        BackGroundChange();
    else
        EndUpdate();
}

void TiComponent::SetOffsetX(int value) { SetProperty(value, offsetX_, ickBackGround); }
void TiComponent::SetOffsetY(int value) { SetProperty(value, offsetY_, ickBackGround); }
void TiComponent::SetShowDisabledState(bool value) { SetProperty(value, showDisabledState_, ickBackGround); }
void TiComponent::SetErrorActive(bool value) { SetProperty(value, errorActive_, ickBackGround); }
void TiComponent::SetErrorText(const QString& value) { SetProperty(value, errorText_, ickBackGround); }

void TiComponent::SetErrorFont(const TFont* value)
{
    if (value != nullptr)
        errorFont_->Assign(*value);
}

void TiComponent::SetErrorBackGroundColor(TColor value)
{
    SetProperty(value, errorBackGroundColor_, ickBackGround);
}

void TiComponent::CreateBackGroundPicture()
{
    if (backGroundPicture_)
        return;
    backGroundPicture_ = std::make_unique<TBitmap>();
    connect(backGroundPicture_.get(), &TBitmap::Changed, this, [this] { BackGroundChange(); });
}

void TiComponent::SetBackGroundPicture(const TBitmap* picture)
{
    CreateBackGroundPicture();
    if (picture == nullptr)
        backGroundPicture_->Clear();
    else
        backGroundPicture_->Assign(*picture);
}

// --- Repaint requests ----------------------------------------------------

void TiComponent::RequestRepaint()
{
    if (updating_) {
        repaintPending_ = true;
    } else if (autoFrameRate_) {
        repaintPending_ = true;
        ThrottledRepaint();
    } else {
        RepaintNow();
    }
}

void TiComponent::InvalidateChange() { RequestRepaint(); }

void TiComponent::BackGroundChange()
{
    backGroundChanged_ = true;
    RequestRepaint();
}

void TiComponent::FullRepaint() { BackGroundChange(); }

void TiComponent::RepaintNow()
{
    repaintPending_ = false;
    lastRepaintTime_ = TiClock::Now();
    update();
}

void TiComponent::ThrottledRepaint()
{
    if (!autoFrameRate_ || updateFrameRate_ == 0) {
        RepaintNow();
        return;
    }
    // Computed in floating point, so any positive rate gives a positive interval.
    const double interval = 1.0 / (static_cast<double>(updateFrameRate_) * 86400.0);
    if (TiClock::Now() > lastRepaintTime_ + interval)
        RepaintNow();
    else
        TiUpdateObject::Instance().Wake();  // held back: the update object issues it later
}

void TiComponent::BeginUpdate() { updating_ = true; }

void TiComponent::EndUpdate()
{
    updating_ = false;
    if (repaintPending_)
        ThrottledRepaint();
}

// --- Loading bracket -----------------------------------------------------

void TiComponent::BeginLoading() { ++loadingDepth_; }

void TiComponent::EndLoading()
{
    if (loadingDepth_ == 0)
        return;
    if (--loadingDepth_ == 0)
        Loaded();
}

bool TiComponent::IsDesigning() const
{
    bool designing = false;
    if (DesignStateHook)
        DesignStateHook(const_cast<TiComponent*>(this), designing);
    return designing;
}

TiLoadingBracket::TiLoadingBracket(std::initializer_list<TiComponent*> widgets)
    : TiLoadingBracket(std::vector<TiComponent*>(widgets))
{
}

TiLoadingBracket::TiLoadingBracket(std::vector<TiComponent*> widgets)
{
    for (TiComponent* widget : widgets) {
        if (widget == nullptr)
            continue;
        widget->BeginLoading();
        widgets_.emplace_back(widget);
    }
}

TiLoadingBracket::~TiLoadingBracket()
{
    for (const QPointer<TiComponent>& widget : widgets_) {
        if (widget)
            widget->EndLoading();
    }
}

// --- Value-event helpers -------------------------------------------------

bool TiComponent::AskVetoHook(const QString& propertyName)
{
    bool allow = true;
    if (VetoHook)
        VetoHook(this, propertyName, allow);
    return allow;
}

void TiComponent::NotifyChangeHook(const QString& propertyName)
{
    if (ChangeHook)
        ChangeHook(this, propertyName);
    NotifyAccessibleChange(propertyName);
}

bool TiComponent::OutputPropertyValue(const QString&, const QVariant&) { return false; }

// --- Geometry ------------------------------------------------------------

TPoint TiComponent::GetCenterPoint(TCanvas&) { return {Width() / 2 + offsetX_, Height() / 2 + offsetY_}; }

TPoint TiComponent::PolarToScreenPoint(TPoint center, double angleDegrees, double radius) const
{
    return ::PolarToScreenPoint(center, angleDegrees, radius);
}

// --- Background, border, cache -------------------------------------------

void TiComponent::DrawBackground(TCanvas& canvas, TColor color)
{
    backGroundChanged_ = false;
    const TRect whole(0, 0, Width(), Height());
    if (backGroundPicture_ && backGroundPicture_->Width() != 0) {
        canvas.StretchDraw(whole, *backGroundPicture_);
        return;
    }
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(whole);
    DrawBorder(canvas);
}

void TiComponent::DrawBorder(TCanvas& canvas)
{
    const TRect whole(0, 0, Width(), Height());
    if (borderStyle_ == ibsRaised)
        DrawBevel(canvas, whole, 1);
    else if (borderStyle_ == ibsLowered)
        DrawBevel(canvas, whole, 0);
}

void TiComponent::EnsureCacheBitmap()
{
    const double ratio = devicePixelRatioF();
    if (!cacheBitmap_)
        cacheBitmap_ = std::make_unique<TBitmap>(Width(), Height(), ratio);
    else
        cacheBitmap_->SetSize(Width(), Height(), ratio);
}

TBitmap& TiComponent::GetCacheBitmap()
{
    EnsureCacheBitmap();
    return *cacheBitmap_;
}

void TiComponent::DrawCacheBitmap(TCanvas& canvas)
{
    if (cacheBitmap_)
        canvas.Draw(0, 0, *cacheBitmap_);
}

// --- Paint pipeline ------------------------------------------------------

void TiComponent::ShowPaintError(TCanvas& canvas, const QString& message)
{
    TRect client(0, 0, Width(), Height());
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBlack;
    canvas.FillRect(client);
    canvas.Font.SetColor(clWhite);
    DrawTextInRect(canvas, message, client, clBtnFace, true, TextFormatOptions::WordBreak);
}

void TiComponent::PaintPipeline(QImage& target)
{
    // A cache drawn for another size or pixel ratio is stale.
    if (cacheBitmap_ && (cacheBitmap_->Width() != Width() || cacheBitmap_->Height() != Height() ||
                         cacheBitmap_->DevicePixelRatio() != devicePixelRatioF()))
        backGroundChanged_ = true;
    PrepareForPaint();
    LockPaint();
    struct Unlock {
        TiComponent& c;
        ~Unlock() { c.UnlockPaint(); }
    } unlock{*this};
    TBitmap paint(Width(), Height(), devicePixelRatioF());
    TCanvas& canvas = paint.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Pen.Style = psSolid;
    try {
        PaintContent(canvas);
    } catch (const std::exception& e) {
        ShowPaintError(canvas, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        // Nothing may escape a paint: unknown exceptions are shown the same way.
        ShowPaintError(canvas, QStringLiteral("Unknown exception"));
    }
    if (AfterPaintHook)
        AfterPaintHook(this, canvas);
    target = paint.Image();
}

void TiComponent::paintEvent(QPaintEvent*)
{
    if (Width() <= 0 || Height() <= 0)
        return;
    QImage image;
    PaintPipeline(image);
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

// --- Platform notifications ----------------------------------------------

void TiComponent::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        BackGroundChange();
        break;
    default:
        break;
    }
}

void TiComponent::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    BoundsChanged(true);
}

void TiComponent::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    BoundsChanged(false);
}

void TiComponent::BoundsChanged(bool resized)
{
    if (!resized)
        return;
    if (Width() > 0 && Height() > 0 && cacheBitmap_)
        cacheBitmap_->SetSize(Width(), Height(), devicePixelRatioF());
    BackGroundChange();
}
