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

using TObject = QObject;

// Enumerations shared by several widgets, registered with the meta-object system
// (Qt Designer offers them as drop-downs); written as decimal integers in property
// files. Their names are also usable unqualified (TiBevelStyle, ibsRaised).
namespace TiEnums {
Q_NAMESPACE

enum TiBevelStyle { ibsNone, ibsRaised, ibsLowered };
Q_ENUM_NS(TiBevelStyle)
enum TiAlignmentHorizontal { iahCenter, iahLeft, iahRight };
Q_ENUM_NS(TiAlignmentHorizontal)
enum TiTickMinorAlignment { itmnaInside, itmnaCenter, itmnaOutside };
Q_ENUM_NS(TiTickMinorAlignment)
enum TiPrecisionStyle { ipsSignificantDigits, ipsFixedDecimalPoints };
Q_ENUM_NS(TiPrecisionStyle)
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
using TShiftState = std::uint16_t;

// Keys are Qt key codes (Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Home, ...).
using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, int& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
using TIndexEvent = std::function<void(TObject* Sender, int Index)>;
using TOPCBeforeDataEvent = std::function<void(TObject* Sender, int Index, QVariant& Data)>;

// Change kinds of the property-set helpers of TiComponent.
enum TiChangeKind {
    ickInvalidate = 0,  // repaint the dynamic layer only
    ickBackGround = 1,  // rebuild the static (cached) layer and repaint
    ickStoreOnly = 2    // store without a repaint
};
