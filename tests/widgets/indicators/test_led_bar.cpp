// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/led_bar.h"

#include "tests/widgets/indicators/indicator_test_helpers.h"
#include "tests/support/widget_test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace widget_test;
using indicator_test::Counting;

namespace {

constexpr TColor kDimYellow = 0x005555;

// The console's bar: 25 x 153, silver background, yellow segments.
class LedBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar.SetBounds(0, 0, 25, 153);
        bar.SetBackGroundColor(clSilver);
        bar.SetSectionColor1(clYellow);
    }

    // Colour at the middle of segment i of the console's bar (rows 144-7i .. 148-7i).
    static TColor SegmentColor(const QImage& image, int i) { return PixelAt(image, 12, 146 - 7 * i); }

    int LitSegments(const QImage& image, TColor lit) const
    {
        int count = 0;
        for (int i = 0; i < 21; ++i)
            count += SegmentColor(image, i) == lit ? 1 : 0;
        return count;
    }

    Counting<TiLedBar> bar;
};

}  // namespace

TEST_F(LedBarTest, ConsoleBarGeometryAndLitCount)
{
    bar.SetPosition(37);
    const QImage image = Render(bar);
    // 21 segments of 21 x 5 pixels; the first at (2, 144, 23, 149), the last at (2, 4, 23, 9).
    EXPECT_EQ(CountColor(image, clYellow) + CountColor(image, kDimYellow), 21 * 21 * 5);
    EXPECT_EQ(CountColor(image, clYellow, 2, 144, 23, 149), 21 * 5);
    EXPECT_EQ(CountColor(image, kDimYellow, 2, 4, 23, 9), 21 * 5);
    EXPECT_EQ(PixelAt(image, 1, 146), clSilver);
    EXPECT_EQ(PixelAt(image, 23, 146), clSilver);
    EXPECT_EQ(PixelAt(image, 12, 149), clSilver);
    EXPECT_EQ(PixelAt(image, 12, 3), clSilver);
    // Position 37 lights the lowest 8.
    EXPECT_EQ(CountColor(image, clYellow), 8 * 21 * 5);
    EXPECT_EQ(SegmentColor(image, 7), clYellow);
    EXPECT_EQ(SegmentColor(image, 8), kDimYellow);

    bar.SetPosition(0);
    EXPECT_EQ(CountColor(Render(bar), clYellow), 0);
    bar.SetPosition(100);
    EXPECT_EQ(LitSegments(Render(bar), clYellow), 21);
    bar.SetPosition(250);  // clamped to the maximum
    EXPECT_EQ(bar.GetPosition(), 100);
    EXPECT_EQ(LitSegments(Render(bar), clYellow), 21);
}

TEST_F(LedBarTest, LitCountRoundsHalfASegmentUpAndTiesToEven)
{
    // k = round(f x n + 0.5) with ties to even: 21 segments.
    struct Row {
        double max;
        double position;
        int lit;
    };
    for (const Row row : {Row{100, 2, 1}, Row{100, 33, 7}, Row{100, 35, 8}, Row{100, 37, 8}, Row{100, 97, 21},
                          Row{21, 10, 10}, Row{21, 11, 12}, Row{21, 0.4, 1}}) {
        bar.SetPositionMax(row.max);
        bar.SetPosition(row.position);
        EXPECT_EQ(LitSegments(Render(bar), clYellow), row.lit) << row.position << " of " << row.max;
    }
}

TEST_F(LedBarTest, DownAndLeftBarsStartAtTheirOwnEnd)
{
    // One lit segment shows where the first one is: after the margin and the
    // centring offset (vertical bars only) from the top or from the right.
    bar.SetPosition(3);
    bar.SetSegmentDirection(idDown);
    QImage image = Render(bar);
    EXPECT_EQ(CountColor(image, clYellow), 21 * 5);
    EXPECT_EQ(CountColor(image, clYellow, 2, 4, 23, 9), 21 * 5) << "first segment (2, 4, 23, 9)";

    bar.SetSegmentDirection(idLeft);
    ASSERT_EQ(bar.Width(), 153);
    image = Render(bar);
    EXPECT_EQ(CountColor(image, clYellow), 5 * 21);
    EXPECT_EQ(CountColor(image, clYellow, 146, 2, 151, 23), 5 * 21) << "first segment (146, 2, 151, 23)";
}

TEST_F(LedBarTest, EqualWritesRepaintNothing)
{
    bar.SetPosition(40);
    const int repaints = bar.repaints;
    bar.SetPosition(40);
    bar.SetSectionColor1(clYellow);
    bar.SetSectionEnd1(50);
    bar.SetSectionCount(1);
    bar.SetSegmentSize(5);
    bar.SetFillReferenceValue(0);
    EXPECT_EQ(bar.repaints, repaints);
    bar.SetSectionCount(0);
    bar.SetSectionCount(6);
    EXPECT_EQ(bar.SectionCount(), 1) << "counts outside 1..5 are ignored";
    EXPECT_EQ(bar.repaints, repaints);
}

TEST_F(LedBarTest, SectionColours)
{
    bar.SetSectionCount(3);
    bar.SetSectionColor1(clLime);
    bar.SetSectionColor2(clYellow);
    bar.SetSectionColor3(clRed);
    bar.SetPosition(100);
    QImage image = Render(bar);
    // Section 1 ends at 50 (segment 10.5 rounds to 10), section 2 at 75 (15.75 -> 16).
    for (int i = 0; i < 21; ++i) {
        const TColor expected = i < 10 ? clLime : i < 16 ? clYellow : clRed;
        EXPECT_EQ(SegmentColor(image, i), expected) << "segment " << i;
    }

    // Dark segments show their own section's colour dimmed.
    bar.SetPosition(0);
    image = Render(bar);
    EXPECT_EQ(SegmentColor(image, 0), 0x005500u);
    EXPECT_EQ(SegmentColor(image, 12), kDimYellow);
    EXPECT_EQ(SegmentColor(image, 20), 0x000055u);

    // An empty range puts every segment into the last section in use, all dark
    // unless the position is above the maximum.
    bar.SetPositionMax(0);
    image = Render(bar);
    EXPECT_EQ(SegmentColor(image, 0), 0x000055u);
    EXPECT_EQ(CountColor(image, clRed), 0);
}

TEST_F(LedBarTest, FillReferenceLightsBetweenReferenceAndPosition)
{
    bar.SetFillReferenceEnabled(true);
    bar.SetFillReferenceValue(50);
    auto litSet = [&] {
        const QImage image = Render(bar);
        std::vector<int> lit;
        for (int i = 0; i < 21; ++i) {
            if (SegmentColor(image, i) == clYellow)
                lit.push_back(i);
        }
        return lit;
    };
    // Segment i starts at 100 / 21 * i.
    bar.SetPosition(30);
    EXPECT_EQ(litSet(), std::vector<int>({7, 8, 9, 10}));
    bar.SetPosition(70);
    EXPECT_EQ(litSet(), std::vector<int>({11, 12, 13, 14}));
    bar.SetPosition(50);
    EXPECT_TRUE(litSet().empty());
}

TEST_F(LedBarTest, HiddenOffSegmentsLeaveTheBackground)
{
    bar.SetShowOffSegments(false);
    bar.SetPosition(37);
    const QImage image = Render(bar);
    EXPECT_EQ(CountColor(image, clYellow), 8 * 21 * 5);
    EXPECT_EQ(CountColor(image, kDimYellow), 0);
    EXPECT_EQ(CountNotColor(image, clSilver, 0, 0, 25, 95), 0) << "nothing above the lit part";
}

TEST_F(LedBarTest, DirectionSwapsTheSizeBetweenVerticalAndHorizontal)
{
    TiLedBar fresh;
    EXPECT_EQ(fresh.Width(), 16);
    EXPECT_EQ(fresh.Height(), 200);
    fresh.SetSegmentDirection(idDown);
    EXPECT_EQ(fresh.Width(), 16);
    EXPECT_EQ(fresh.Height(), 200);
    fresh.SetSegmentDirection(idRight);
    EXPECT_EQ(fresh.Width(), 200);
    EXPECT_EQ(fresh.Height(), 16);
    fresh.SetSegmentDirection(idLeft);
    EXPECT_EQ(fresh.Width(), 200);
    fresh.SetSegmentDirection(idUp);
    EXPECT_EQ(fresh.Width(), 16);
    {
        TiLoadingBracket loading({&fresh});
        fresh.SetSegmentDirection(idRight);
    }
    EXPECT_EQ(fresh.Width(), 16) << "no swap while loading";

    // A horizontal bar fills from the left: the first lit column is at the margin.
    TiLedBar row;
    row.SetSegmentDirection(idRight);
    row.SetPosition(100);
    const QImage image = Render(row);
    EXPECT_EQ(PixelAt(image, 2, 8), clLime);
    EXPECT_EQ(PixelAt(image, 1, 8), clBlack);
    EXPECT_EQ(PixelAt(image, 7, 8), clBlack);
    EXPECT_EQ(PixelAt(image, 9, 8), clLime) << "the second segment starts 7 pixels on";
}

TEST_F(LedBarTest, DegenerateSegmentSettingsDrawNothing)
{
    bar.SetPosition(60);
    bar.SetSegmentSize(0);
    bar.SetSegmentSpacing(0);
    EXPECT_EQ(CountNotColor(Render(bar), clSilver, 0, 0, 25, 153), 0);
    bar.SetSegmentSize(-20);
    bar.SetSegmentSpacing(2);
    EXPECT_EQ(CountNotColor(Render(bar), clSilver, 0, 0, 25, 153), 0);
    bar.SetSegmentSize(400);  // larger than the bar
    EXPECT_EQ(CountNotColor(Render(bar), clSilver, 0, 0, 25, 153), 0);
}

TEST_F(LedBarTest, SegmentStylesStayInsideTheirSegments)
{
    bar.SetPosition(100);
    for (TiLedBarSegmentStyle style : {ilbssCircle, ilbssTriangle}) {
        bar.SetSegmentStyle(style);
        const QImage image = Render(bar);
        EXPECT_GT(CountColor(image, clYellow), 21 * 5) << style;
        EXPECT_LT(CountColor(image, clYellow) + CountColor(image, clWhite), 21 * 21 * 5) << style;
        EXPECT_EQ(CountNotColor(image, clSilver, 0, 0, 25, 3), 0) << style;
    }
}

TEST_F(LedBarTest, PropertyFileWithBadValuesLeavesAPaintableBar)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("bar.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("File Type = TiLedBar\n"
               "SectionCount = 9\n"
               "SectionEnd1 = 30\n"
               "SectionEnd1_2 = 40\n"
               "SectionEnd2 = 1e308\n"
               "SegmentSpacing = -7\n"
               "SegmentDirection = 77\n"
               "FillReferenceValue = nonsense\n"
               "NoSuchProperty = 1\n");
    file.close();
    // The unknown direction stops the load; what came before it stays.
    try {
        bar.LoadPropertiesFromFile(path);
        ADD_FAILURE() << "a direction of 77 was accepted";
    } catch (const std::exception& e) {
        EXPECT_TRUE(QString(e.what()).startsWith("Error Loading Properties - ")) << e.what();
    }
    EXPECT_EQ(bar.SectionCount(), 1);
    EXPECT_EQ(bar.SectionEnd1(), 30);
    EXPECT_EQ(bar.SegmentDirection(), idUp);
    EXPECT_EQ(bar.SegmentSpacing(), -7);
    EXPECT_EQ(bar.Height(), 153);
    bar.SetSectionCount(2);
    bar.SetPosition(100);
    const QImage image = Render(bar);
    EXPECT_EQ(CountNotColor(image, clSilver, 0, 0, 25, 153), 0) << "a negative step fits no segment";
    bar.SetSegmentSpacing(2);
    bar.SetSectionColor2(clLime);
    const QImage sections = Render(bar);
    // Section 1 now ends at 30 (segment 6.3 -> 6); section 2 ends far beyond the bar.
    EXPECT_EQ(CountColor(sections, clYellow), 6 * 21 * 5);
    EXPECT_EQ(CountColor(sections, clLime), 15 * 21 * 5);
}
