// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared enumerations and event types of the instrument widget library.
//
// Events are single assignable handlers: a std::function member named On...,
// called with the widget as Sender. Assigning replaces the previous handler;
// an empty handler is skipped.

#include "platform/canvas/geometry.h"

#include <QChar>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>

using TObject = QObject;  // the Sender type of the events

// Enumerations shared by several widgets, registered with the meta-object system
// (Qt Designer offers them as drop-downs); written as decimal integers in property
// files. Their names are also usable unqualified (TiBevelStyle, ibsRaised).
namespace TiEnums {
Q_NAMESPACE

// A bevel: none (flat), raised or lowered.
enum TiBevelStyle { ibsNone, ibsRaised, ibsLowered };
Q_ENUM_NS(TiBevelStyle)
// Horizontal alignment of a text: centred, left or right.
enum TiAlignmentHorizontal { iahCenter, iahLeft, iahRight };
Q_ENUM_NS(TiAlignmentHorizontal)
// Where the minor ticks lie across the major ticks' length: at their inner end (itmnaInside, by the scale's base line), centred, or at their outer end.
enum TiTickMinorAlignment { itmnaInside, itmnaCenter, itmnaOutside };
Q_ENUM_NS(TiTickMinorAlignment)
// How a label precision is read: as significant digits or as a fixed number of decimals.
enum TiPrecisionStyle { ipsSignificantDigits, ipsFixedDecimalPoints };
Q_ENUM_NS(TiPrecisionStyle)
// What the auto-scale may change: the range's ends, widened to round numbers (iassAutoMinMax), or only the ticks, placed at round numbers inside a fixed range (iassFixedMinMax).
enum TiAutoScaleStyle { iassAutoMinMax, iassFixedMinMax };
Q_ENUM_NS(TiAutoScaleStyle)

}  // namespace TiEnums

using TiEnums::TiBevelStyle;
using enum TiEnums::TiBevelStyle;
using TiEnums::TiAlignmentHorizontal;
using enum TiEnums::TiAlignmentHorizontal;
using TiEnums::TiTickMinorAlignment;
using enum TiEnums::TiTickMinorAlignment;
using TiEnums::TiPrecisionStyle;
using enum TiEnums::TiPrecisionStyle;
using TiEnums::TiAutoScaleStyle;
using enum TiEnums::TiAutoScaleStyle;

// The mouse button of a press or release.
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state: keyboard modifiers and held mouse buttons, as bits.
enum TShiftFlag : std::uint16_t {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6
};
using TShiftState = std::uint16_t;  // a combination of TShiftFlag bits

// Keys are Qt key codes (Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Home, ...).
using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;  // a button pressed or released at (X, Y), logical pixels
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;  // the mouse moved to (X, Y), logical pixels
using TKeyEvent = std::function<void(TObject* Sender, int& Key, TShiftState Shift)>;  // a key pressed or released (a Qt key code)
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;  // a typed character
using TIndexEvent = std::function<void(TObject* Sender, int Index)>;  // an event about the item `Index`
using TOPCBeforeDataEvent = std::function<void(TObject* Sender, int Index, QVariant& Data)>;  // incoming data for the item `Index`, which the handler may change

// Change kinds of the property-set helpers of TiComponent.
enum TiChangeKind {
    ickInvalidate = 0,  // repaint the dynamic layer only
    ickBackGround = 1,  // rebuild the static (cached) layer and repaint
    ickStoreOnly = 2    // store without a repaint
};
