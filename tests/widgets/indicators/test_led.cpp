// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/led_round.h"

#include "tests/widgets/indicators/indicator_test_helpers.h"
#include "tests/support/widget_test_support.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace widget_test;
using indicator_test::Brightness;
using indicator_test::Counting;

namespace {

// Renders a lamp without its reflection so the body is one flat colour.
QImage RenderBody(TiLedRound& led)
{
    led.SetShowReflection(false);
    return Render(led);
}

// First and last column of the body colour along row y.
std::pair<int, int> BodySpanInRow(const QImage& image, TColor body, int y)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (PixelAt(image, x, y) == body) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return {first, last};
}

std::pair<int, int> BodySpanInColumn(const QImage& image, TColor body, int x)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (PixelAt(image, x, y) == body) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    return {first, last};
}

}  // namespace

TEST(TiLedRoundTest, InactiveLampShowsActiveColourDividedByThree)
{
    TiLedRound led;
    const struct {
        TColor active;
        TColor shown;
    } cases[] = {{clRed, 0x000055}, {clLime, 0x005500}, {clWhite, 0x555555}};
    for (const auto& c : cases) {
        led.SetActiveColor(c.active);
        const QImage image = RenderBody(led);
        EXPECT_GT(CountColor(image, c.shown), 150) << std::hex << c.active;
        EXPECT_EQ(CountColor(image, c.active), 0) << std::hex << c.active;
    }

    // The explicit inactive colour counts only with AutoInactiveColor off.
    led.SetActiveColor(clRed);
    led.SetInactiveColor(clBlue);
    EXPECT_EQ(CountColor(RenderBody(led), clBlue), 0);
    led.SetAutoInactiveColor(false);
    EXPECT_GT(CountColor(RenderBody(led), clBlue), 150);

    led.SetActive(true);
    const QImage lit = RenderBody(led);
    EXPECT_GT(CountColor(lit, clRed), 150);
    EXPECT_EQ(CountColor(lit, clBlue), 0);
}

TEST(TiLedRoundTest, EqualWritesRepaintNothingAndOnlyActiveFiresOnChange)
{
    Counting<TiLedRound> led;
    int changes = 0;
    led.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &led);
        ++changes;
    };
    led.SetActiveColor(clRed);
    EXPECT_EQ(led.repaints, 1);
    led.SetActiveColor(clRed);
    led.SetAutoInactiveColor(true);
    led.SetInactiveColor(led.InactiveColor());
    led.SetBevelStyle(ibsLowered);
    led.SetShowReflection(true);
    led.SetActive(false);
    EXPECT_EQ(led.repaints, 1);
    EXPECT_EQ(changes, 0);

    led.SetActiveColor(clLime);
    led.SetBevelStyle(ibsRaised);
    EXPECT_EQ(changes, 0) << "colour and bevel writes never fire OnChange";
    led.SetActive(true);
    EXPECT_EQ(changes, 1);
    led.SetActive(true);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(led.repaints, 4);
}

TEST(TiLedRoundTest, VetoHookKeepsStateAndChangeHookPrecedesOnChange)
{
    Counting<TiLedRound> led;
    QStringList calls;
    bool allow = false;
    led.VetoHook = [&](TObject*, const QString& name, bool& allowed) {
        calls << "veto:" + name;
        allowed = allow;
    };
    led.ChangeHook = [&](TObject*, const QString& name) { calls << "change:" + name; };
    led.OnChange = [&](TObject*) { calls << "OnChange"; };

    led.SetActive(true);
    EXPECT_FALSE(led.Active());
    EXPECT_EQ(led.repaints, 0);
    EXPECT_EQ(calls, QStringList({"veto:Active"}));

    calls.clear();
    allow = true;
    led.SetActive(true);
    EXPECT_TRUE(led.Active());
    EXPECT_EQ(led.repaints, 1);
    EXPECT_EQ(calls, QStringList({"veto:Active", "change:Active", "OnChange"}));
}

TEST(TiLedRoundTest, KeepsItselfSquareExceptWhileLoading)
{
    TiLedRound led;
    EXPECT_EQ(led.Width(), 20);
    EXPECT_EQ(led.Height(), 20);
    led.SetBounds(0, 0, 30, 20);
    EXPECT_EQ(led.Width(), 30);
    EXPECT_EQ(led.Height(), 30);
    led.SetHeight(24);
    EXPECT_EQ(led.Width(), 24);
    EXPECT_EQ(led.Height(), 24);
    led.SetWidth(18);
    EXPECT_EQ(led.Height(), 18);
    {
        TiLoadingBracket loading({&led});
        led.SetBounds(5, 6, 40, 22);
    }
    EXPECT_EQ(led.Left(), 5);
    EXPECT_EQ(led.Top(), 6);
    EXPECT_EQ(led.Width(), 40);
    EXPECT_EQ(led.Height(), 22);
}

TEST(TiLedRoundTest, BevelRingWidthsAndShading)
{
    TiLedRound led;
    led.SetBounds(0, 0, 40, 40);
    led.SetActiveColor(clRed);
    led.SetActive(true);

    led.SetBevelStyle(ibsNone);
    QImage image = RenderBody(led);
    EXPECT_EQ(BodySpanInRow(image, clRed, 20), std::make_pair(0, 39));
    EXPECT_EQ(BodySpanInColumn(image, clRed, 20), std::make_pair(0, 39));

    for (TiBevelStyle style : {ibsRaised, ibsLowered}) {
        led.SetBevelStyle(style);
        image = RenderBody(led);
        // Two pixels of ring at the top and left, three at the bottom and right.
        EXPECT_EQ(BodySpanInRow(image, clRed, 20), std::make_pair(2, 36)) << style;
        EXPECT_EQ(BodySpanInColumn(image, clRed, 20), std::make_pair(2, 36)) << style;
        const int leftRing = Brightness(PixelAt(image, 0, 20));
        const int rightRing = Brightness(PixelAt(image, 38, 20));
        if (style == ibsRaised)
            EXPECT_GT(leftRing, rightRing) << "raised: light at the top left";
        else
            EXPECT_LT(leftRing, rightRing) << "lowered: dark at the top left";
    }
    // Outside the ring's circle the background shows.
    const TColor face = ClassicSystemColor(sciBtnFace);
    EXPECT_EQ(PixelAt(image, 0, 0), face);
    EXPECT_EQ(PixelAt(image, 39, 39), face);
}

TEST(TiLedRoundTest, ReflectionDrawsWhiteOnlyInUpperLeftQuarter)
{
    TiLedRound led;
    led.SetBounds(0, 0, 40, 40);
    led.SetActiveColor(clRed);
    led.SetActive(true);
    const QImage image = Render(led);
    const int upperLeft = CountColor(image, clWhite, 0, 0, 20, 20);
    EXPECT_GT(upperLeft, 6);
    EXPECT_EQ(CountColor(image, clWhite, 21, 21, 40, 40), 0);
    led.SetShowReflection(false);
    EXPECT_EQ(CountColor(Render(led), clWhite), 0);
}
