// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/// @file
/// Qt-style setters beside the library's own, for forms made in Qt Designer.
///
/// uic turns a form's property `PositionMax` into a call of `setPositionMax(...)`,
/// with a QColor for a colour, a QFont for a font and the value itself otherwise.
/// The widgets' setters are named `SetPositionMax` and take 0x00BBGGRR colours and
/// the library's fonts, so each class lists the properties that Designer offers in
/// TI_QT_SETTERS (and its fonts in TI_QT_FONT_SETTERS); each name gets a `setName`
/// that converts what the form holds and calls `SetName`.

#include "platform/canvas/colors.h"
#include "platform/canvas/fonts.h"

#include <QColor>
#include <QFont>
#include <type_traits>

/// Converts a value that uic passes to the type of the setter it is given to:
/// a QColor becomes a 0x00BBGGRR colour, anything else is converted as C++ does.
template <typename From> class TiQtArgument {
public:
    explicit TiQtArgument(const From& value) : value_(value) {}

    template <typename To> operator To() const
    {
        if constexpr (std::is_same_v<From, QColor> && std::is_same_v<To, TColor>)
            return FromQColor(value_);
        else
            return static_cast<To>(value_);
    }

private:
    const From& value_;
};

/// Copies the attributes that Designer's font editor sets (family, size, style) into
/// `font`; the pixel size becomes the negative character height, a point size is
/// converted at 96 pixels per inch. The colour stays.
void TiAssignQtFont(TFont& font, const QFont& from);

/// @cond internal
#define TI_QT_PARENS ()
#define TI_QT_EXPAND(...) TI_QT_EXPAND3(TI_QT_EXPAND3(TI_QT_EXPAND3(TI_QT_EXPAND3(__VA_ARGS__))))
#define TI_QT_EXPAND3(...) TI_QT_EXPAND2(TI_QT_EXPAND2(TI_QT_EXPAND2(TI_QT_EXPAND2(__VA_ARGS__))))
#define TI_QT_EXPAND2(...) TI_QT_EXPAND1(TI_QT_EXPAND1(TI_QT_EXPAND1(TI_QT_EXPAND1(__VA_ARGS__))))
#define TI_QT_EXPAND1(...) __VA_ARGS__
#define TI_QT_FOR_EACH(macro, ...) __VA_OPT__(TI_QT_EXPAND(TI_QT_FOR_EACH_STEP(macro, __VA_ARGS__)))
#define TI_QT_FOR_EACH_STEP(macro, first, ...) \
    macro(first) __VA_OPT__(TI_QT_FOR_EACH_AGAIN TI_QT_PARENS(macro, __VA_ARGS__))
#define TI_QT_FOR_EACH_AGAIN() TI_QT_FOR_EACH_STEP

#define TI_QT_SETTER(Name) \
    template <typename TiValue> void set##Name(const TiValue& value) { Set##Name(TiQtArgument<TiValue>(value)); }
#define TI_QT_FONT_SETTER(Name)               \
    void set##Name(const QFont& value)        \
    {                                         \
        TFont font;                           \
        font.Assign(*Name());                 \
        TiAssignQtFont(font, value);          \
        Set##Name(&font);                     \
    }
/// @endcond

/// Declares `setName(value)` for each property name given, calling `SetName`.
#define TI_QT_SETTERS(...) TI_QT_FOR_EACH(TI_QT_SETTER, __VA_ARGS__)
/// Declares `setName(const QFont&)` for each font property given (a `TFont* Name()`
/// getter and a `SetName(const TFont*)` setter that copies).
#define TI_QT_FONT_SETTERS(...) TI_QT_FOR_EACH(TI_QT_FONT_SETTER, __VA_ARGS__)
