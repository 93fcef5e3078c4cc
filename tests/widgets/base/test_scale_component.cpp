// SPDX-License-Identifier: GPL-3.0-or-later
// The scale: setting limits, label rule, value to pixel, which ticks and
// labels a linear scale draws, and the auto-scale.

#include "tests/support/widget_test_support.h"
#include "widgets/base/number_text.h"
#include "widgets/base/scale_component.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <tuple>
#include <vector>

using namespace widget_test;

namespace {

constexpr TColor kMajor = clRed;
constexpr TColor kMinor = clBlue;
constexpr TColor kPaper = clWhite;

// A vertical scale from y = 90 (PositionMin) up to y = 10 (PositionMax),
// ticks growing to the right of x = 10.
class ScaleProbe : public TiScaleComponent {
public:
    ScaleProbe()
    {
        resize(100, 100);
        SetBackGroundColor(kPaper);
        SetTickMajorColor(kMajor);
        SetTickMinorColor(kMinor);
        SetShowTickLabels(false);
    }
    using TiScaleComponent::IsLoading;

protected:
    void PaintContent(TCanvas& canvas) override
    {
        DrawBackground(canvas, BackGroundColor());
        PrepareScale();
        Scale().SetOrientation(isoVertical);
        Scale().SetSide(isdBottomRight);
        Scale().SetPixels(90, 10);
        Scale().SetBaseCoordinate(10);
        Scale().DrawLinear(canvas, Enabled(), BackGroundColor());
    }
};

// Rows with `color` at column x.
std::set<int> RowsWith(const QImage& image, TColor color, int x)
{
    std::set<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (PixelAt(image, x, y) == color)
            rows.insert(y);
    return rows;
}

TEST(ScaleSettings, LimitsOnSetAndRepaintRequests)
{
    ScaleProbe w;
    w.SetTickMajorCount(1);
    EXPECT_EQ(w.TickMajorCount(), 2);
    w.SetTickMajorCount(500);
    EXPECT_EQ(w.TickMajorCount(), 100);
    w.SetTickMinorCount(0);
    EXPECT_EQ(w.TickMinorCount(), 1);
    w.SetTickMinorCount(101);
    EXPECT_EQ(w.TickMinorCount(), 100);
    w.SetTickMajorLength(0);
    EXPECT_EQ(w.TickMajorLength(), 1);
    w.SetTickMinorLength(-3);
    EXPECT_EQ(w.TickMinorLength(), 1);
    w.SetTickLabelPrecision(-2);
    EXPECT_EQ(w.TickLabelPrecision(), 0);
    w.SetAutoScaleDesiredTicks(1);
    EXPECT_EQ(w.AutoScaleDesiredTicks(), 5);
    w.SetAutoScaleMaxTicks(0);
    EXPECT_EQ(w.AutoScaleMaxTicks(), 6);

    Render(w);
    EXPECT_FALSE(w.IsBackGroundChanged());
    w.SetTickMargin(w.TickMargin());
    EXPECT_FALSE(w.IsBackGroundChanged());
    w.SetTickMargin(8);
    EXPECT_TRUE(w.IsBackGroundChanged());
    Render(w);
    w.TickLabelFont()->SetHeight(-20);
    EXPECT_TRUE(w.IsBackGroundChanged());
}

TEST(ScaleLabels, DecimalsTextAndCustomizing)
{
    EXPECT_EQ(ScaleLabelDecimals(ipsSignificantDigits, 3, 0, 400), 0);
    EXPECT_EQ(ScaleLabelDecimals(ipsSignificantDigits, 2, 0, 0.5), 2);
    EXPECT_EQ(ScaleLabelDecimals(ipsSignificantDigits, 0, 0, 0.001), 0);
    EXPECT_EQ(ScaleLabelDecimals(ipsSignificantDigits, 3, 0, 20), 1);
    EXPECT_EQ(ScaleLabelDecimals(ipsFixedDecimalPoints, 2, 0, 400), 2);
    EXPECT_EQ(ScaleLabelDecimals(ipsSignificantDigits, std::numeric_limits<int>::max(), 0, 0.001), kMaxNumberDecimals);
    EXPECT_EQ(ScaleLabelDecimals(ipsSignificantDigits, 3, -1e308, 1e308), 0) << "a span too large for a double";

    ScaleProbe w;
    EXPECT_EQ(w.GetLabelText(25, 1), QStringLiteral("25"));
    w.SetTickLabelPrecision(2);
    EXPECT_EQ(w.GetLabelText(12.345, 0), QStringLiteral("12.35"));
    EXPECT_EQ(w.GetLabelText(-0.5, 0), QStringLiteral("-0.50"));
    w.SetPrecisionStyle(ipsSignificantDigits);
    EXPECT_EQ(w.GetLabelDecimals(), 0);  // span 100, 2 significant digits
    w.SetOnCustomizeTickLabel([&w](TObject* sender, int index, QString& text) {
        EXPECT_EQ(sender, &w);
        text = QStringLiteral("#%1:%2").arg(index).arg(text);
    });
    EXPECT_EQ(w.GetLabelText(50, 2), QStringLiteral("#2:50"));
}

TEST(ScaleMapping, ValueToPixelRoundsHalfToEvenAndDoesNotClamp)
{
    TiScaleObject scale(nullptr, nullptr);
    scale.CopyRange(0, 100);
    scale.SetPixels(100, 0);
    EXPECT_EQ(scale.ValueToPixel(0), 100);
    EXPECT_EQ(scale.ValueToPixel(100), 0);
    EXPECT_EQ(scale.ValueToPixel(25), 75);
    EXPECT_EQ(scale.ValueToPixel(12.5), 88);
    EXPECT_EQ(scale.ValueToPixel(13.5), 86);
    EXPECT_EQ(scale.ValueToPixel(200), -100);
    scale.SetReverse(true);
    EXPECT_EQ(scale.ValueToPixel(0), 0);
    EXPECT_EQ(scale.ValueToPixel(25), 25);
    scale.CopyRange(5, 5);
    EXPECT_EQ(scale.ValueToPixel(123), 50);
    scale.SetPixels(3, 0);
    EXPECT_EQ(scale.ValueToPixel(5), 1);
}

// Records the walk of the tick values: 'M' major (with its index), 'm' minor,
// 'b' minor beyond the ends.
struct TickWalk final : ScaleTickPainter {
    std::vector<std::tuple<char, double, int>> ticks;
    void MajorTick(double value, int index) override { ticks.emplace_back('M', value, index); }
    void MinorTick(double value) override { ticks.emplace_back('m', value, -1); }
    void MinorTickBeyondEnds(double value) override { ticks.emplace_back('b', value, -1); }
    long Count(char kind) const
    {
        return std::count_if(ticks.begin(), ticks.end(), [kind](const auto& t) { return std::get<0>(t) == kind; });
    }
};

TEST(ScaleTicks, OneWalkInDrawingOrderThenBeyondBothEnds)
{
    TickWalk walk;
    PaintScaleTicks({20, 80, 3, 1, true, 0, 100}, walk);
    using T = std::tuple<char, double, int>;
    EXPECT_EQ(walk.ticks, (std::vector<T>{{'M', 20, 0}, {'m', 35, -1}, {'M', 50, 1}, {'m', 65, -1}, {'M', 80, 2},
                                          {'b', 95, -1}, {'b', 5, -1}}));
    // Without the beyond flag, or with a step of nothing, the walk ends at the last major tick.
    walk.ticks.clear();
    PaintScaleTicks({20, 80, 3, 1, false, 0, 100}, walk);
    EXPECT_EQ(walk.Count('b'), 0);
    walk.ticks.clear();
    PaintScaleTicks({50, 50, 5, 4, true, 0, 100}, walk);
    EXPECT_EQ(walk.Count('M'), 5);
    EXPECT_EQ(walk.Count('b'), 0);
}

TEST(ScaleTicks, TheWalkBeyondTheEndsStopsWhereTheStepNoLongerMovesOrAtTheBound)
{
    TickWalk walk;
    // A minor step far below the values' resolution: one tick each side, not a loop.
    PaintScaleTicks({1e17, 1e17 + 64, 2, 100, true, 0, 1e18}, walk);
    EXPECT_EQ(walk.Count('b'), 2);
    walk.ticks.clear();
    PaintScaleTicks({0, 1, 2, 1, true, -1e9, 1e9}, walk);
    EXPECT_EQ(walk.Count('b'), 2 * kMaxMinorTicksBeyondEachEnd);
}

TEST(ScaleDrawing, MajorAndMinorTicksOfALinearScale)
{
    ScaleProbe w;
    // Major ticks span x 15..21, minor ticks (inside) x 15..17: column 20 shows
    // only major ticks, column 16 both.
    QImage image = Render(w);
    EXPECT_EQ(RowsWith(image, kMajor, 20), (std::set<int>{10, 30, 50, 70, 90}));
    EXPECT_EQ(RowsWith(image, kMajor, 22).size(), 0u);
    EXPECT_EQ(RowsWith(image, kMinor, 16).size(), 16u);
    EXPECT_EQ(RowsWith(image, kMinor, 18).size(), 0u);
    EXPECT_EQ(RowsWith(image, kMinor, 16).count(86), 1u);

    w.SetTickMinorAlignment(itmnaOutside);
    image = Render(w);
    EXPECT_EQ(RowsWith(image, kMinor, 16).size(), 0u);
    EXPECT_EQ(RowsWith(image, kMinor, 20).size(), 16u);

    w.SetShowTicksMajorFirstLast(false);
    image = Render(w);
    EXPECT_EQ(RowsWith(image, kMajor, 20), (std::set<int>{30, 50, 70}));

    w.SetShowTicksMajor(false);
    image = Render(w);
    EXPECT_EQ(CountColor(image, kMajor) + CountColor(image, kMinor), 0);

    w.SetShowTicksMajor(true);
    w.SetShowTicksMinor(false);
    image = Render(w);
    EXPECT_EQ(CountColor(image, kMinor), 0);

    // Disabled: lowered ticks, drawn black and white.
    w.SetEnabled(false);
    image = Render(w);
    EXPECT_EQ(CountColor(image, kMajor), 0);
    EXPECT_EQ(RowsWith(image, clBlack, 20), (std::set<int>{30, 50, 70}));
    EXPECT_EQ(RowsWith(image, clWhite, 20).count(31), 1u);
}

TEST(ScaleDrawing, LabelsAreDrawnAtEveryMajorTickUnlessEmptied)
{
    ScaleProbe w;
    w.SetShowTickLabels(true);
    w.SetShowTicksMajorFirstLast(false);
    w.TickLabelFont()->SetColor(clGreen);
    int calls = 0;
    w.SetOnCustomizeTickLabel([&calls](TObject*, int index, QString& text) {
        ++calls;
        if (index == 2)
            text.clear();
    });
    const QImage image = Render(w);
    EXPECT_EQ(calls, 5);
    // Labels start at x = 15 + 7 + 5 = 27, centred on each major tick row.
    for (int row : {10, 30, 70, 90})
        EXPECT_GT(CountColor(image, clGreen, 27, row - 6, 60, row + 7), 0) << row;
    EXPECT_EQ(CountColor(image, clGreen, 27, 44, 60, 57), 0);
    EXPECT_EQ(CountColor(image, clGreen, 0, 0, 26, 100), 0);
}

TEST(ScaleAutoScale, RoundsTheRangeOrPlacesTicksInside)
{
    ScaleProbe w;
    w.SetPositionMin(3);
    w.SetPositionMax(97);
    w.SetAutoScaleEnabled(true);
    EXPECT_LE(w.GetPositionMin(), 3);
    EXPECT_GE(w.GetPositionMax(), 97);
    EXPECT_GE(w.TickMajorCount(), 2);
    EXPECT_LE(w.TickMajorCount(), 6);
    w.SetPositionMax(430);
    EXPECT_GE(w.GetPositionMax(), 430);
    EXPECT_LE(w.GetPositionMax(), 500);

    w.SetAutoScaleStyle(iassFixedMinMax);
    w.SetPositionMin(3);
    w.SetPositionMax(97);
    EXPECT_EQ(w.GetPositionMin(), 3);
    EXPECT_EQ(w.GetPositionMax(), 97);
    EXPECT_GE(w.TickStart(), 3);
    EXPECT_LE(w.TickEnd(), 97);
    EXPECT_LT(w.TickStart(), w.TickEnd());
    // Minor ticks continue beyond the first and last major tick down to 3 and up to 97.
    const QImage image = Render(w);
    const std::set<int> minor = RowsWith(image, kMinor, 16);
    ASSERT_FALSE(minor.empty());
    EXPECT_GT(*minor.rbegin(), w.Scale().ValueToPixel(w.TickStart()));

    // While loading the bounds are stored as given; Loaded() runs the auto-scale.
    ScaleProbe loaded;
    {
        TiLoadingBracket loading{&loaded};
        loaded.SetAutoScaleEnabled(true);
        loaded.SetPositionMax(97);
        EXPECT_EQ(loaded.GetPositionMax(), 97);
    }
    EXPECT_EQ(loaded.GetPositionMax(), 100);
}

}  // namespace
