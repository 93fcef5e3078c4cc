// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas/bitmap.h"

#include <cmath>

TBitmap::TBitmap(QObject* parent) : QObject(parent), canvas_(std::make_unique<TCanvas>(&image_)) {}

TBitmap::TBitmap(int width, int height, double devicePixelRatio, QObject* parent) : TBitmap(parent)
{
    Reallocate(width, height, devicePixelRatio);
}

TBitmap::~TBitmap() { canvas_->Flush(); }

void TBitmap::Reallocate(int width, int height, double ratio)
{
    canvas_->Flush();
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    ratio_ = ratio > 0 ? ratio : 1.0;
    if (width_ == 0 || height_ == 0) {
        image_ = QImage();
        return;
    }
    const int pw = static_cast<int>(std::ceil(width_ * ratio_));
    const int ph = static_cast<int>(std::ceil(height_ * ratio_));
    image_ = QImage(pw, ph, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio_);
    image_.fill(Qt::white);
}

void TBitmap::SetSize(int width, int height) { SetSize(width, height, ratio_); }

void TBitmap::SetSize(int width, int height, double devicePixelRatio)
{
    if (width == width_ && height == height_ && devicePixelRatio == ratio_)
        return;
    Reallocate(width, height, devicePixelRatio);
    emit Changed();
}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this)
        return;
    canvas_->Flush();
    other.canvas_->Flush();
    width_ = other.width_;
    height_ = other.height_;
    ratio_ = other.ratio_;
    image_ = other.image_.copy();
    emit Changed();
}

void TBitmap::AssignImage(const QImage& image)
{
    canvas_->Flush();
    width_ = image.width();
    height_ = image.height();
    ratio_ = 1.0;
    image_ = image.convertToFormat(QImage::Format_RGB32);
    image_.setDevicePixelRatio(1.0);
    emit Changed();
}

void TBitmap::Clear() { SetSize(0, 0); }

const QImage& TBitmap::Image() const
{
    canvas_->Flush();
    return image_;
}

QImage& TBitmap::MutableImage()
{
    canvas_->Flush();
    return image_;
}
