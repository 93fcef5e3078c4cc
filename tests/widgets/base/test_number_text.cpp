// SPDX-License-Identifier: GPL-3.0-or-later
// The number text shared by the scale labels, the knob's read-out, the numeric
// display and the numeric edit.
#include "widgets/base/number_text.h"

#include <gtest/gtest.h>
#include <limits>

TEST(NumberText, FixedAndGeneralNotationWithUnits)
{
    struct Case {
        double value;
        int decimals;
        const char* units;
        char point;
        const char* text;
    };
    const Case cases[] = {
        {12, 1, "", '.', "12.0"},
        {34 / 10.0, 1, "", '.', "3.4"},
        {2.4, 0, "", '.', "2"},
        {-2.6, 0, "", '.', "-3"},
        {-0.25, 3, "", '.', "-0.250"},
        {-0.04, 1, "", '.', "-0.0"},
        {1234567.5, 1, "", '.', "1234567.5"},  // no grouping
        {2.5, 0, "", '.', "2"},                // a tie of the exact binary value goes to even
        {3.5, 0, "", '.', "4"},
        {0.125, 2, "", '.', "0.12"},
        {25, 0, "'C", '.', "25'C"},
        {12, 1, " s", '.', "12.0 s"},  // units as given, blanks included
        {12, 1, "s ", '.', "12.0s "},
        {2.5, 3, "", ',', "2,500"},
        {0.1, -1, "", '.', "0.1"},  // general notation: up to 15 significant digits
        {0.1 + 0.2, -1, "", '.', "0.3"},
        {1.0 / 3.0, -1, "", '.', "0.333333333333333"},
        {40, -3, "%", '.', "40%"},
        {1e20, -1, "", ',', "1e+20"},
        {-2.5e-7, -1, "", ',', "-2,5e-07"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, c.decimals, c.units, QChar(c.point)), c.text)
            << c.value << " with " << c.decimals << " decimals";
    }
}

TEST(NumberText, DecimalsStopWhereEveryDoubleHasEnded)
{
    const QString huge = FormatNumber(1.5, std::numeric_limits<int>::max(), "", '.');
    EXPECT_EQ(huge.size(), 2 + kMaxNumberDecimals);
    EXPECT_TRUE(huge.startsWith("1.5000") && huge.endsWith('0'));
    // The smallest double needs every decimal up to the last; the largest
    // negative one with all of them is the longest text there is.
    const double smallest = std::numeric_limits<double>::denorm_min();
    EXPECT_TRUE(FormatNumber(smallest, kMaxNumberDecimals, "", '.').endsWith("625"));
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::max(), kMaxNumberDecimals + 1, "V", '.').size(),
              1 + 309 + 1 + kMaxNumberDecimals + 1);
    EXPECT_EQ(FormatNumber(-1e300, 0, "", '.').size(), 302);
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), 1, "", '.'), "inf");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), -1, "", '.').remove('-'), "nan");
}
