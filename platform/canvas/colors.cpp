// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/canvas/colors.h"

#include <QApplication>
#include <QPalette>
#include <QString>
#include <array>
#include <atomic>

namespace {

std::atomic<bool> classicPalette{false};

// The classic interface colours, 0x00BBGGRR, by system colour index.
constexpr std::array<TColor, sciCount> kClassic = {
    0xC0C0C0,  // scroll bar
    0x808000,  // desktop background
    0x800000,  // active caption
    0x808080,  // inactive caption
    0xC0C0C0,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC0C0C0,  // active border
    0xC0C0C0,  // inactive border
    0x808080,  // application workspace
    0x800000,  // highlight
    0xFFFFFF,  // highlight text
    0xC0C0C0,  // button face
    0x808080,  // button shadow
    0x808080,  // gray text
    0x000000,  // button text
    0xC0C0C0,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x000000,  // 3D dark shadow
    0xDFDFDF,  // 3D light
    0x000000,  // info text
    0xE1FFFF,  // info background
    0xC0C0C0,  // (unused index 25)
    0xFF0000,  // hot light
};

TColor FromPaletteRole(QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active)
{
    return FromQColor(QApplication::palette().color(group, role));
}

TColor FromApplicationPalette(std::uint8_t index)
{
    switch (index) {
    case sciWindow: case sciInfoBk: return FromPaletteRole(QPalette::Base);
    case sciWindowText: case sciMenuText: case sciInfoText: return FromPaletteRole(QPalette::Text);
    case sciWindowFrame: return FromPaletteRole(QPalette::Shadow);
    case sciHighlight: case sciActiveCaption: return FromPaletteRole(QPalette::Highlight);
    case sciHighlightText: case sciCaptionText: return FromPaletteRole(QPalette::HighlightedText);
    case sciBtnFace: case sciMenu: case sciScrollBar: case sciActiveBorder: case sciInactiveBorder:
        return FromPaletteRole(QPalette::Button);
    case sciBtnShadow: return FromPaletteRole(QPalette::Mid);
    case sciBtnHighlight: return FromPaletteRole(QPalette::Light);
    case sci3DDkShadow: return FromPaletteRole(QPalette::Shadow);
    case sci3DLight: return FromPaletteRole(QPalette::Midlight);
    case sciBtnText: return FromPaletteRole(QPalette::ButtonText);
    case sciGrayText: case sciInactiveCaptionText:
        return FromPaletteRole(QPalette::Text, QPalette::Disabled);
    case sciAppWorkSpace: case sciInactiveCaption: return FromPaletteRole(QPalette::Dark);
    case sciHotLight: return FromPaletteRole(QPalette::Link);
    default: return ClassicSystemColor(index);
    }
}

}  // namespace

TColor ClassicSystemColor(std::uint8_t index)
{
    return index < kClassic.size() ? kClassic[index] : clBlack;
}

void UseClassicPalette(bool classic) { classicPalette = classic; }
bool IsClassicPaletteInUse() { return classicPalette; }

TColor ColorToRGB(TColor color)
{
    if (!IsSystemColor(color))
        return color & 0x00FFFFFFu;
    const auto index = static_cast<std::uint8_t>(color & 0xFFu);
    if (classicPalette || qApp == nullptr)
        return ClassicSystemColor(index);
    return FromApplicationPalette(index);
}

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color)
{
    const QColor c = color.toRgb();
    return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) |
           (static_cast<TColor>(c.blue()) << 16);
}

namespace {

// Conversions of TColorProperty, registered once when the program starts (a
// plugin that carries its own copy of this library finds them registered).
bool RegisterColorPropertyConversions()
{
    if (QMetaType::hasRegisteredConverterFunction<QColor, TColorProperty>())
        return true;
    QMetaType::registerConverter<QColor, TColorProperty>([](const QColor& c) { return TColorProperty(FromQColor(c)); });
    QMetaType::registerConverter<TColorProperty, QColor>([](TColorProperty c) { return ToQColor(c); });
    QMetaType::registerConverter<TColorProperty, unsigned int>([](TColorProperty c) { return c.value; });
    QMetaType::registerConverter<TColorProperty, int>([](TColorProperty c) { return static_cast<int>(c.value); });
    QMetaType::registerConverter<TColorProperty, qlonglong>([](TColorProperty c) { return qlonglong(c.value); });
    QMetaType::registerConverter<TColorProperty, qulonglong>([](TColorProperty c) { return qulonglong(c.value); });
    QMetaType::registerConverter<TColorProperty, QString>([](TColorProperty c) { return QString::number(c.value); });
    QMetaType::registerConverter<unsigned int, TColorProperty>([](unsigned int v) { return TColorProperty(v); });
    QMetaType::registerConverter<int, TColorProperty>([](int v) { return TColorProperty(static_cast<TColor>(v)); });
    QMetaType::registerConverter<qlonglong, TColorProperty>(
        [](qlonglong v) { return TColorProperty(static_cast<TColor>(v)); });
    return true;
}

[[maybe_unused]] const bool colorPropertyConversionsRegistered = RegisterColorPropertyConversions();

}  // namespace
