// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Range check for the enumerated settings of the widgets: a value
// read from a property file or converted from an integer may lie outside its
// enumeration, and such a value is ignored rather than stored.

template <typename Enum> constexpr bool InEnumRange(Enum value, Enum first, Enum last)
{
    return static_cast<int>(value) >= static_cast<int>(first) && static_cast<int>(value) <= static_cast<int>(last);
}
