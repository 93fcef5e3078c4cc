// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/analog_display.h"
#include "widgets/base/number_text.h"

#include "tests/widgets/indicators/indicator_test_helpers.h"
#include "tests/support/widget_test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace widget_test;
using indicator_test::Counting;
using indicator_test::HorizontalInk;

namespace {

class AnalogDisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        display.SetBounds(0, 0, 57, 21);
        display.OnChange = [this](TObject*) { ++changes; };
    }

    Counting<TiAnalogDisplay> display;
    int changes = 0;
};

}  // namespace

TEST_F(AnalogDisplayTest, DefaultsDrawAquaTextOnBlackInLoweredBevel)
{
    display.SetValue(12);
    EXPECT_EQ(display.DisplayText(), "12.0");
    const QImage image = Render(display);
    EXPECT_GT(CountColor(image, clAqua), 10);
    EXPECT_EQ(PixelAt(image, 28, 5), clBlack);
    // The sunken bevel: shadow at the top-left edge, light at the bottom-right.
    EXPECT_EQ(PixelAt(image, 20, 0), ClassicSystemColor(sciBtnShadow));
    EXPECT_EQ(PixelAt(image, 20, 20), ClassicSystemColor(sciBtnHighlight));
    // Centred: as much room on the left as on the right (within a pixel or two).
    const auto ink = HorizontalInk(image.copy(2, 2, 53, 15), clBlack);
    ASSERT_GE(ink.first, 0);
    EXPECT_LE(std::abs(ink.first - (52 - ink.last)), 2);
}

TEST_F(AnalogDisplayTest, AlignmentMargins)
{
    display.SetValue(3.4);
    display.SetAlignment(iahLeft);
    display.SetAlignmentMargin(10);
    auto ink = HorizontalInk(Render(display).copy(2, 2, 53, 15), clBlack);
    EXPECT_GE(ink.first + 2, 12);
    EXPECT_LE(ink.first + 2, 14);
    display.SetAlignment(iahRight);
    ink = HorizontalInk(Render(display).copy(2, 2, 53, 15), clBlack);
    EXPECT_LE(ink.last + 2, 57 - 10 - 2 - 1);
    EXPECT_GE(ink.last + 2, 57 - 10 - 2 - 4);
}

TEST_F(AnalogDisplayTest, ErrorDisplayReplacesTheValue)
{
    display.SetValue(12);
    display.SetErrorBackGroundColor(clNavy);
    display.SetErrorActive(true);
    const QImage image = Render(display);
    EXPECT_EQ(CountColor(image, clAqua), 0);
    EXPECT_GT(CountColor(image, clRed), 10) << "ErrorText in the red ErrorFont";
    EXPECT_EQ(PixelAt(image, 28, 4), clNavy);
    EXPECT_EQ(CountColor(image, clBlack, 2, 2, 55, 17), 0);

    // Different values give the same picture while the error shows.
    display.SetValue(-987.6);
    EXPECT_EQ(Render(display), image);
    display.SetErrorActive(false);
    EXPECT_GT(CountColor(Render(display), clAqua), 10);
}

TEST_F(AnalogDisplayTest, EqualWritesRepaintNothingAndFireNothing)
{
    display.SetValue(5);
    EXPECT_EQ(changes, 1);
    const int repaints = display.repaints;
    display.SetValue(5);
    display.SetPrecision(1);
    display.SetUnitsText("");
    display.SetAlignment(iahCenter);
    display.SetAlignmentMargin(5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(display.repaints, repaints);

    display.SetUnitsText(" V");
    EXPECT_EQ(display.UnitsText(), " V") << "stored untrimmed";
    EXPECT_EQ(display.DisplayText(), "5.0 V");
    display.SetPrecision(-1);
    EXPECT_EQ(display.DisplayText(), "5 V");
    EXPECT_EQ(changes, 1);

    display.VetoHook = [](TObject*, const QString&, bool& allow) { allow = false; };
    display.SetValue(6);
    EXPECT_EQ(display.Value(), 5);
    EXPECT_EQ(changes, 1);
}

TEST_F(AnalogDisplayTest, PropertyFileWithHostileValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("display.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("File Type = TiAnalogDisplay\n"
               "Precision = 2147483647\n"
               "UnitsText =  mA\n"
               "Value = 1.25\n"
               "Alignment = 12\n"
               "Value = 7\n");
    file.close();
    // The unknown alignment stops the load; what came before it stays.
    try {
        display.LoadPropertiesFromFile(path);
        ADD_FAILURE() << "an alignment of 12 was accepted";
    } catch (const std::exception& e) {
        EXPECT_TRUE(QString(e.what()).startsWith("Error Loading Properties - ")) << e.what();
    }
    EXPECT_EQ(display.Alignment(), iahCenter) << "an unknown alignment is ignored";
    EXPECT_EQ(display.Value(), 1.25);
    EXPECT_EQ(display.UnitsText(), "mA");
    EXPECT_EQ(display.DisplayText().size(), 2 + kMaxNumberDecimals + 2) << "the decimals stop at the cap";
    EXPECT_EQ(Render(display).width(), 57);
}
