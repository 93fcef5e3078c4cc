// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text layout options of TCanvas::DrawText, a 16-bit set.

#include <cstdint>

struct TextFormatOptions {
    // One layout option; combine them with |.
    enum Option : std::uint16_t {
        AlignLeft = 1u << 0,      // default; no effect
        AlignCenter = 1u << 1,    // centre horizontally
        AlignRight = 1u << 2,     // right-align
        AlignTop = 1u << 3,       // default; no effect
        AlignVCenter = 1u << 4,   // centre vertically (single line only)
        AlignBottom = 1u << 5,    // bottom-align (single line only)
        WordBreak = 1u << 6,      // wrap at word boundaries
        SingleLine = 1u << 7,     // one line only
        ExpandTabs = 1u << 8,     // expand tab characters
        NoClip = 1u << 9,         // do not clip to the rectangle
        Prefix = 1u << 10,        // "&x" draws x underlined, "&&" draws "&"
        CalcRect = 1u << 11,      // measure only: adjust the rectangle, draw nothing
        EndEllipsis = 1u << 12,   // replace the end of a text that does not fit by "..."
        PathEllipsis = 1u << 13,  // replace the middle of a text that does not fit by "..."
        WordEllipsis = 1u << 14,  // truncate at a word and add "..."
        ModifyString = 1u << 15   // write the truncated text back
    };

    std::uint16_t Bits = 0;  // the options set, as bits

    constexpr TextFormatOptions() = default;
    constexpr TextFormatOptions(Option option) : Bits(option) {}  // just `option`
    constexpr explicit TextFormatOptions(std::uint16_t bits) : Bits(bits) {}  // the options whose bits are set

    constexpr bool Has(Option option) const { return (Bits & option) != 0; }  // whether `option` is set
    // Adds the options of `other`.
    constexpr TextFormatOptions& operator|=(TextFormatOptions other)
    {
        Bits = static_cast<std::uint16_t>(Bits | other.Bits);
        return *this;
    }
    // The options less `option`.
    constexpr TextFormatOptions Without(Option option) const
    {
        return TextFormatOptions(static_cast<std::uint16_t>(Bits & ~option));
    }
    // The options of both.
    friend constexpr TextFormatOptions operator|(TextFormatOptions a, TextFormatOptions b)
    {
        return TextFormatOptions(static_cast<std::uint16_t>(a.Bits | b.Bits));
    }
    // Both options.
    friend constexpr TextFormatOptions operator|(TextFormatOptions::Option a, TextFormatOptions::Option b)
    {
        return TextFormatOptions(static_cast<std::uint16_t>(a | static_cast<std::uint16_t>(b)));
    }
    friend constexpr bool operator==(TextFormatOptions, TextFormatOptions) = default;  // equal when the same options are set
};
