// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/edit/analog_output_text.h"

#include <gtest/gtest.h>

TEST(AnalogOutputText, ParsesNumbersAndStripsUnitsCaseInsensitively)
{
    const QChar dot('.');
    EXPECT_EQ(parseAnalogOutputText("25'C", "'C", dot), 25.0);
    EXPECT_EQ(parseAnalogOutputText("2c5'c", " 'C ", dot), std::nullopt)
        << "only whole units are removed";
    EXPECT_EQ(parseAnalogOutputText("30c", "c", dot), 30.0);
    EXPECT_EQ(parseAnalogOutputText("12.345", "", dot), 12.345);
    EXPECT_EQ(parseAnalogOutputText("  -7.5 ", "", dot), -7.5);
    EXPECT_EQ(parseAnalogOutputText("+4", "", dot), 4.0);
    EXPECT_EQ(parseAnalogOutputText(".5", "", dot), 0.5);
    EXPECT_EQ(parseAnalogOutputText("5.", "", dot), 5.0);
    EXPECT_EQ(parseAnalogOutputText("1.5e2", "", dot), 150.0);
    EXPECT_EQ(parseAnalogOutputText("2,5", "", QChar(',')), 2.5);
}

TEST(AnalogOutputText, RejectsTextThatIsNotANumber)
{
    const QChar dot('.');
    for (const char* bad : {"", " ", "-", ".", "abc", "1.2.3", "1-2", "--1", "1e", "1e+",
                            "12x", "inf", "nan", "1e400", "0x10", "1 2", "2,5"}) {
        EXPECT_EQ(parseAnalogOutputText(bad, "", dot), std::nullopt) << bad;
    }
    EXPECT_EQ(parseAnalogOutputText("2.5", "", QChar(',')), std::nullopt);
    EXPECT_EQ(parseAnalogOutputText("'C", "'C", dot), std::nullopt);
    EXPECT_EQ(parseAnalogOutputText(QString::fromUtf8("１２"), "", dot), std::nullopt)
        << "only ASCII digits";
}

TEST(AnalogOutputText, KeyFilterLetsInDigitsSignSeparatorAndUnitCharacters)
{
    const QChar dot('.');
    for (QChar c : QString("0123456789-"))
        EXPECT_TRUE(analogOutputAcceptsChar(c, 0, "'C", dot)) << c.toLatin1();
    EXPECT_FALSE(analogOutputAcceptsChar('x', 0, "'C", dot));
    EXPECT_TRUE(analogOutputAcceptsChar('c', 0, "'C", dot));
    EXPECT_TRUE(analogOutputAcceptsChar('\'', 0, "'C", dot));
    EXPECT_FALSE(analogOutputAcceptsChar('+', 1, "", dot));
    EXPECT_FALSE(analogOutputAcceptsChar(' ', 1, "", dot));

    EXPECT_FALSE(analogOutputAcceptsChar('.', 0, "", dot)) << "no decimals at precision 0";
    EXPECT_TRUE(analogOutputAcceptsChar('.', 2, "", dot));
    EXPECT_TRUE(analogOutputAcceptsChar('.', -1, "", dot));
    EXPECT_FALSE(analogOutputAcceptsChar('.', 2, "", QChar(',')));
    EXPECT_TRUE(analogOutputAcceptsChar(',', 2, "", QChar(',')));
    EXPECT_TRUE(analogOutputAcceptsChar('.', 0, "m.s", dot)) << "part of the units";
}
