// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Colours of the canvas layer: 32-bit values 0x00BBGGRR for plain colours, or
// system-colour codes 0xFF0000nn that stand for the named interface colours of
// the platform (nn is the system colour index). System colours resolve from the
// application's palette, or from a fixed classic palette that tests install so
// that colour results are deterministic.

#include <QColor>
#include <QMetaType>
#include <cstdint>

using TColor = std::uint32_t;

// Plain colours (0x00BBGGRR).
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

// System-colour indices and codes.
enum TSystemColorIndex : std::uint8_t {
    sciScrollBar = 0,
    sciBackground = 1,
    sciActiveCaption = 2,
    sciInactiveCaption = 3,
    sciMenu = 4,
    sciWindow = 5,
    sciWindowFrame = 6,
    sciMenuText = 7,
    sciWindowText = 8,
    sciCaptionText = 9,
    sciActiveBorder = 10,
    sciInactiveBorder = 11,
    sciAppWorkSpace = 12,
    sciHighlight = 13,
    sciHighlightText = 14,
    sciBtnFace = 15,
    sciBtnShadow = 16,
    sciGrayText = 17,
    sciBtnText = 18,
    sciInactiveCaptionText = 19,
    sciBtnHighlight = 20,
    sci3DDkShadow = 21,
    sci3DLight = 22,
    sciInfoText = 23,
    sciInfoBk = 24,
    sciHotLight = 26,
    sciCount = 27
};

inline constexpr TColor SystemColorCode(std::uint8_t index) { return 0xFF000000u | index; }

inline constexpr TColor clScrollBar = SystemColorCode(sciScrollBar);
inline constexpr TColor clBackground = SystemColorCode(sciBackground);
inline constexpr TColor clMenu = SystemColorCode(sciMenu);
inline constexpr TColor clWindow = SystemColorCode(sciWindow);
inline constexpr TColor clWindowFrame = SystemColorCode(sciWindowFrame);
inline constexpr TColor clMenuText = SystemColorCode(sciMenuText);
inline constexpr TColor clWindowText = SystemColorCode(sciWindowText);
inline constexpr TColor clAppWorkSpace = SystemColorCode(sciAppWorkSpace);
inline constexpr TColor clHighlight = SystemColorCode(sciHighlight);
inline constexpr TColor clHighlightText = SystemColorCode(sciHighlightText);
inline constexpr TColor clBtnFace = SystemColorCode(sciBtnFace);
inline constexpr TColor clBtnShadow = SystemColorCode(sciBtnShadow);
inline constexpr TColor clGrayText = SystemColorCode(sciGrayText);
inline constexpr TColor clBtnText = SystemColorCode(sciBtnText);
inline constexpr TColor clBtnHighlight = SystemColorCode(sciBtnHighlight);
inline constexpr TColor cl3DDkShadow = SystemColorCode(sci3DDkShadow);
inline constexpr TColor cl3DLight = SystemColorCode(sci3DLight);
inline constexpr TColor clInfoText = SystemColorCode(sciInfoText);
inline constexpr TColor clInfoBk = SystemColorCode(sciInfoBk);
inline constexpr TColor clHotLight = SystemColorCode(sciHotLight);

inline constexpr bool IsSystemColor(TColor color) { return (color & 0xFF000000u) == 0xFF000000u; }

// Replaces a system-colour code by the current value of that system colour
// (0x00BBGGRR); plain colours pass with their high byte cleared.
TColor ColorToRGB(TColor color);

// Switches system-colour resolution between the application's palette (false,
// the default) and the fixed classic palette (true).
void UseClassicPalette(bool classic);
bool IsClassicPaletteInUse();

// The classic palette's value of a system colour index (0x00BBGGRR).
TColor ClassicSystemColor(std::uint8_t index);

// Conversions between 0x00BBGGRR (system codes resolved first) and QColor.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
// 0x00BBGGRR from a QImage pixel value (0xAARRGGBB).
inline constexpr TColor FromQRgb(unsigned int argb)
{
    return ((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu);
}
inline constexpr unsigned int ToQRgb(TColor rgb)
{
    return 0xFF000000u | ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

// The type of a published colour property: Q_PROPERTY(TColorProperty Color READ
// Color WRITE SetColor) with a getter and a setter of TColor. It converts to and
// from TColor by itself; to Qt's meta-type system it is a type of its own, so that
// tools tell colours from numbers (Qt Designer shows a colour editor) and a QColor
// set by name (uic's setProperty for a form's colour) converts to it. QVariant
// converts it to and from QColor and the integer types, and to QString (the
// decimal number).
struct TColorProperty {
    TColor value = 0;  // the colour, 0x00BBGGRR
    constexpr TColorProperty() = default;
    constexpr TColorProperty(TColor color) : value(color) {}  // wraps `color`
    constexpr operator TColor() const { return value; }  // the colour
};
Q_DECLARE_METATYPE(TColorProperty)
