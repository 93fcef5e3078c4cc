// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A pointer marker of a gauge (persistent object without a window). The
// position component keeps its running minimum and maximum in two of them.

#include "platform/canvas/colors.h"

#include <QObject>
#include <functional>

class TiGaugePointer : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(TColorProperty Color READ Color WRITE SetColor)
    Q_PROPERTY(TColorProperty DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
    Q_PROPERTY(bool Style3D READ Style3D WRITE SetStyle3D)
    Q_PROPERTY(double Position READ Position WRITE SetPosition)
    Q_PROPERTY(bool DrawScaleSide READ DrawScaleSide WRITE SetDrawScaleSide)
    Q_PROPERTY(bool UserCanMove READ UserCanMove WRITE SetUserCanMove)
    Q_PROPERTY(bool UseDisabledColor READ UseDisabledColor WRITE SetUseDisabledColor)

public:
    // Owner callbacks; a pointer without an owner leaves them empty and notifies nobody.
    struct Owner {
        std::function<void(TiGaugePointer*)> Changed;  // called after any setting changed
        std::function<void(TiGaugePointer*)> PositionChanged;  // called after Position changed
    };

    TiGaugePointer() = default;  // a pointer without an owner
    explicit TiGaugePointer(Owner owner) : owner_(std::move(owner)) {}  // a pointer that tells `owner` of its changes

    bool Visible() const { return visible_; }  // whether the marker is shown; stored for the marker (the instruments draw markers from their own settings)
    void SetVisible(bool v) { Store(visible_, v); }  // stores; tells the owner on a change
    bool Enabled() const { return enabled_; }  // whether the marker is enabled; stored for the marker (the instruments draw markers from their own settings)
    void SetEnabled(bool v) { Store(enabled_, v); }  // stores; tells the owner on a change
    int Size() const { return size_; }  // size of the marker in pixels; stored for the marker (the instruments draw markers from their own settings)
    void SetSize(int v) { Store(size_, v); }  // stores; tells the owner on a change
    int Margin() const { return margin_; }  // pixels between the marker and what it points at; stored for the marker (the instruments draw markers from their own settings)
    void SetMargin(int v) { Store(margin_, v); }  // stores; tells the owner on a change
    TColor Color() const { return color_; }  // colour of the marker; stored for the marker (the instruments draw markers from their own settings)
    void SetColor(TColor v) { Store(color_, v); }  // stores; tells the owner on a change
    TColor DisabledColor() const { return disabledColor_; }  // colour of a disabled marker with UseDisabledColor; stored for the marker (the instruments draw markers from their own settings)
    void SetDisabledColor(TColor v) { Store(disabledColor_, v); }  // stores; tells the owner on a change
    int Style() const { return style_; }  // shape number of the marker; stored for the marker (the instruments draw markers from their own settings)
    void SetStyle(int v) { Store(style_, v); }  // stores; tells the owner on a change
    bool Style3D() const { return style3D_; }  // whether the marker is drawn with a 3D look; stored for the marker (the instruments draw markers from their own settings)
    void SetStyle3D(bool v) { Store(style3D_, v); }  // stores; tells the owner on a change
    double Position() const { return position_; }  // the value the marker stands at (CurrentMin or CurrentMax of its position component)
    void SetPosition(double v);  // calls both owner callbacks on a change
    bool DrawScaleSide() const { return drawScaleSide_; }  // whether the marker is drawn on the scale's side; stored for the marker (the instruments draw markers from their own settings)
    void SetDrawScaleSide(bool v) { Store(drawScaleSide_, v); }  // stores; tells the owner on a change
    bool UserCanMove() const { return userCanMove_; }  // whether the user may drag the marker; stored for the marker (the instruments draw markers from their own settings)
    void SetUserCanMove(bool v) { Store(userCanMove_, v); }  // stores; tells the owner on a change
    bool UseDisabledColor() const { return useDisabledColor_; }  // whether a disabled marker takes DisabledColor; stored for the marker (the instruments draw markers from their own settings)
    void SetUseDisabledColor(bool v) { Store(useDisabledColor_, v); }  // stores; tells the owner on a change

private:
    template <typename T> void Store(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        if (owner_.Changed)
            owner_.Changed(this);
    }

    Owner owner_;
    bool visible_ = true;
    bool enabled_ = true;
    int size_ = 10;
    int margin_ = 0;
    TColor color_ = 0xFF0000;
    TColor disabledColor_ = 0x808080;
    int style_ = 3;
    bool style3D_ = false;
    double position_ = 0;
    bool drawScaleSide_ = false;
    bool userCanMove_ = false;
    bool useDisabledColor_ = false;
};
