// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Off-screen bitmap with its own canvas. The pixels live in a QImage sized in
// device pixels (logical size times the device pixel ratio); the canvas draws
// in logical pixels. Changed() is emitted when the picture is replaced,
// resized or assigned (not on every drawing operation).

#include "platform/canvas/canvas.h"

#include <QImage>
#include <QObject>
#include <memory>

class TBitmap : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width STORED false)
    Q_PROPERTY(int Height READ Height STORED false)

public:
    explicit TBitmap(QObject* parent = nullptr);  // an empty bitmap (0 x 0)
    TBitmap(int width, int height, double devicePixelRatio = 1.0, QObject* parent = nullptr);  // a white bitmap of width x height logical pixels
    ~TBitmap() override;

    int Width() const { return width_; }  // width in logical pixels
    int Height() const { return height_; }  // height in logical pixels
    double DevicePixelRatio() const { return ratio_; }  // device pixels per logical pixel
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }  // whether it has no pixels

    // Resizes (contents become undefined: filled white). Does nothing when unchanged.
    void SetSize(int width, int height);
    void SetSize(int width, int height, double devicePixelRatio);  // the same with a new device pixel ratio
    // Copies the picture of `other` (size, ratio and pixels).
    void Assign(const TBitmap& other);
    // Loads a picture from a QImage (ratio 1).
    void AssignImage(const QImage& image);
    void Clear();  // size 0 x 0

    TCanvas& Canvas() { return *canvas_; }  // the canvas that draws on the bitmap, in logical pixels
    // The pixels; ends any drawing in progress on the canvas first.
    const QImage& Image() const;
    QImage& MutableImage();  // the pixels for writing; ends any drawing in progress first

signals:
    void Changed();  // emitted when the picture is replaced, resized or assigned

private:
    void Reallocate(int width, int height, double ratio);

    int width_ = 0;
    int height_ = 0;
    double ratio_ = 1.0;
    QImage image_;
    std::unique_ptr<TCanvas> canvas_;
};
