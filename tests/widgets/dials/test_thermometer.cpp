// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dials/thermometer.h"

#include "tests/support/widget_test_support.h"

#include <gtest/gtest.h>
#include <cstdlib>

using namespace widget_test;

namespace {

class ThermometerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.resize(300, 300);
        thermometer = new TiThermometer(&parent);
        {
            // The console's motor temperature.
            TiLoadingBracket loading({thermometer});
            thermometer->SetBounds(72, 16, 100, 150);
            thermometer->SetPosition(25);
            thermometer->SetPositionMax(100);
            thermometer->SetIndicatorFillReferenceStyle(ipfrsMin);
        }
        thermometer->OnPositionChange = [this](TObject*) { ++changes; };
        thermometer->OnPositionChangeUser = [this](TObject*) { ++userChanges; };
        parent.show();
    }

    void TearDown() override
    {
        thermometer->OnPositionChange = nullptr;
        thermometer->OnPositionChangeUser = nullptr;
        thermometer->OnOrientationChange = nullptr;
    }

    // Liquid and empty-tube pixels down the tube's centre line within the value area.
    int LiquidRows(const QImage& image) const
    {
        const TRect& area = thermometer->LastLayout().ValueArea;
        const int x = thermometer->LastLayout().Center.X;
        return CountColor(image, clRed, x, area.Top, x + 1, area.Bottom);
    }
    int EmptyRows(const QImage& image) const
    {
        const TRect& area = thermometer->LastLayout().ValueArea;
        const int x = thermometer->LastLayout().Center.X;
        return CountColor(image, clMaroon, x, area.Top, x + 1, area.Bottom);
    }
    TColor TubePixel(const QImage& image, int y) const
    {
        return PixelAt(image, thermometer->LastLayout().Center.X, y);
    }

    ClassicPaletteScope palette;
    QWidget parent;
    TiThermometer* thermometer = nullptr;
    int changes = 0;
    int userChanges = 0;
};

// Dark pixels of the labels in a band of rows around `y`, right of `fromX`.
int LabelInk(const QImage& image, int fromX, int y)
{
    return CountColor(image, clBlack, fromX, y - 7, image.width(), y + 8);
}

}  // namespace

TEST_F(ThermometerTest, ConsoleThermometerFillsFromTheBulbAndClampsWrites)
{
    EXPECT_EQ(thermometer->Width(), 100);
    EXPECT_EQ(thermometer->Height(), 150);
    EXPECT_EQ(thermometer->GetPosition(), 25);
    EXPECT_EQ(thermometer->IndicatorStyle(), itisBulb);
    EXPECT_EQ(thermometer->Orientation(), ioVertical);
    EXPECT_EQ(thermometer->OrientationTickMarks(), iosBottomRight);

    QImage image = Render(*thermometer);
    const TRect area = thermometer->LastLayout().ValueArea;
    const int x = thermometer->LastLayout().Center.X;
    ASSERT_GT(area.Height(), 50);
    // The tube is moved left of the middle to make room for the scale on the right.
    EXPECT_LT(x, 50);
    // A quarter of the value area above the bulb holds liquid, the rest is empty tube.
    EXPECT_NEAR(LiquidRows(image), area.Height() / 4.0, 1.5);
    EXPECT_GE(LiquidRows(image) + EmptyRows(image), area.Height() - 1);
    EXPECT_EQ(TubePixel(image, area.Bottom - 1), clRed);
    EXPECT_EQ(TubePixel(image, area.Top + 3), clMaroon);
    // The bulb below the value area is full.
    EXPECT_EQ(TubePixel(image, area.Bottom + thermometer->IndicatorBulbSize()), clRed);

    thermometer->SetPosition(150);
    EXPECT_EQ(thermometer->GetPosition(), 100);
    image = Render(*thermometer);
    EXPECT_GE(LiquidRows(image), area.Height() - 1);
    EXPECT_EQ(EmptyRows(image), 0);

    thermometer->SetPosition(-5);
    EXPECT_EQ(thermometer->GetPosition(), 0);
    image = Render(*thermometer);
    EXPECT_EQ(LiquidRows(image), 0);
    EXPECT_GE(EmptyRows(image), area.Height() - 1);
    EXPECT_EQ(TubePixel(image, area.Bottom + thermometer->IndicatorBulbSize()), clRed);

    // Without auto-centring the tube stands in the middle.
    thermometer->SetAutoCenter(false);
    Render(*thermometer);
    EXPECT_EQ(thermometer->LastLayout().Center.X, 50);
}

TEST_F(ThermometerTest, RepeatedEqualWritesRepaintNothing)
{
    Render(*thermometer);
    ASSERT_FALSE(thermometer->IsBackGroundChanged());
    // The display timer writes the same temperature every tick.
    thermometer->SetPosition(25);
    EXPECT_EQ(changes, 0);
    thermometer->SetPosition(40);
    thermometer->SetPosition(40);
    thermometer->SetPosition(40);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(userChanges, 0);
    // A new value repaints only the dynamic layer: the cached scale stays valid.
    EXPECT_FALSE(thermometer->IsBackGroundChanged());

    thermometer->BeginUpdate();
    thermometer->SetPosition(40);
    EXPECT_FALSE(thermometer->IsRepaintPending());
    thermometer->SetPosition(41);
    EXPECT_TRUE(thermometer->IsRepaintPending());
    thermometer->EndUpdate();
    EXPECT_FALSE(thermometer->IsRepaintPending());
}

TEST_F(ThermometerTest, BarFillsFromItsReferenceInEitherDirection)
{
    thermometer->SetIndicatorStyle(itisBar);
    thermometer->SetIndicatorFillReferenceStyle(ipfrsMax);
    QImage image = Render(*thermometer);
    TRect area = thermometer->LastLayout().ValueArea;
    // From the top (the maximum) down to 25: three quarters of the bar.
    EXPECT_NEAR(LiquidRows(image), area.Height() * 0.75, 1.5);
    EXPECT_EQ(TubePixel(image, area.Top), clRed);
    EXPECT_EQ(TubePixel(image, area.Bottom - 1), clMaroon);

    thermometer->SetIndicatorFillReferenceStyle(ipfrsValue);
    thermometer->SetIndicatorFillReferenceValue(50);
    image = Render(*thermometer);
    // Between 25 and 50: below the middle.
    EXPECT_NEAR(LiquidRows(image), area.Height() * 0.25, 1.5);
    EXPECT_EQ(TubePixel(image, area.Bottom - area.Height() * 3 / 8), clRed);
    EXPECT_EQ(TubePixel(image, area.Top + 2), clMaroon);
    EXPECT_EQ(TubePixel(image, area.Bottom - 2), clMaroon);
    thermometer->SetPosition(75);
    image = Render(*thermometer);
    // Between 50 and 75: above the middle.
    EXPECT_NEAR(LiquidRows(image), area.Height() * 0.25, 1.5);
    EXPECT_EQ(TubePixel(image, area.Bottom - area.Height() * 5 / 8), clRed);
    EXPECT_EQ(TubePixel(image, area.Bottom - area.Height() / 4 + 2), clMaroon);

    // The sunken bar is framed two pixels outside its value area.
    thermometer->SetIndicatorStyle(itisBarSunken);
    image = Render(*thermometer);
    area = thermometer->LastLayout().ValueArea;
    const int middle = (area.Top + area.Bottom) / 2;
    const TColor background = ClassicSystemColor(sciBtnFace);
    EXPECT_NE(PixelAt(image, area.Left - 1, middle), background);
    EXPECT_NE(PixelAt(image, area.Left - 2, middle), background);
    EXPECT_EQ(PixelAt(image, area.Left - 3, middle), background);
}

TEST_F(ThermometerTest, ReverseScaleTurnsTheLabelsButNotTheBulbsLiquid)
{
    QImage image = Render(*thermometer);
    TRect area = thermometer->LastLayout().ValueArea;
    const int labelsFrom = thermometer->LastLayout().Center.X + thermometer->TickMargin() +
                           thermometer->TickMajorLength() + 1;
    // "100" at the top is wider than "0" at the bottom.
    const int topInk = LabelInk(image, labelsFrom, area.Top);
    const int bottomInk = LabelInk(image, labelsFrom, area.Bottom);
    ASSERT_GT(topInk, bottomInk);

    thermometer->SetReverseScale(true);
    image = Render(*thermometer);
    area = thermometer->LastLayout().ValueArea;
    EXPECT_LT(LabelInk(image, labelsFrom, area.Top), LabelInk(image, labelsFrom, area.Bottom));
    EXPECT_EQ(TubePixel(image, area.Bottom - 1), clRed);
    EXPECT_EQ(TubePixel(image, area.Top + 3), clMaroon);
    EXPECT_NEAR(LiquidRows(image), area.Height() / 4.0, 1.5);
    // The max marker stays level with the liquid's top, a quarter up from the bulb.
    thermometer->SetShowMaxPointer(true);
    thermometer->SetPosition(30);
    thermometer->SetPosition(25);
    Render(*thermometer);
    area = thermometer->LastLayout().ValueArea;
    const TRect marker = thermometer->MaxPointerHitRect();
    EXPECT_NEAR((marker.Top + marker.Bottom) / 2.0, area.Bottom - area.Height() * 0.3, 2);
    thermometer->SetShowMaxPointer(false);

    // A reversed bar fills from the top, where the minimum now is.
    thermometer->SetIndicatorStyle(itisBar);
    image = Render(*thermometer);
    area = thermometer->LastLayout().ValueArea;
    EXPECT_EQ(TubePixel(image, area.Top), clRed);
    EXPECT_EQ(TubePixel(image, area.Bottom - 1), clMaroon);
    EXPECT_NEAR(LiquidRows(image), area.Height() / 4.0, 1.5);
}

TEST_F(ThermometerTest, OrientationSwapsTheSizeAtRunTimeOnly)
{
    int notifications = 0;
    thermometer->OnOrientationChange = [&](TObject*) { ++notifications; };
    thermometer->SetOrientation(ioHorizontal);
    EXPECT_EQ(thermometer->Width(), 150);
    EXPECT_EQ(thermometer->Height(), 100);
    EXPECT_EQ(notifications, 1);
    thermometer->SetOrientation(ioHorizontal);
    EXPECT_EQ(notifications, 1);

    // Horizontal: the bulb at the left, the liquid running right from it.
    const QImage image = Render(*thermometer);
    const TRect area = thermometer->LastLayout().ValueArea;
    const int y = thermometer->LastLayout().Center.Y;
    EXPECT_LT(y, 50);  // moved up, away from the ticks below
    EXPECT_NEAR(CountColor(image, clRed, area.Left, y, area.Right, y + 1), area.Width() / 4.0, 1.5);
    EXPECT_EQ(PixelAt(image, area.Left, y), clRed);
    EXPECT_EQ(PixelAt(image, area.Right - 3, y), clMaroon);
    EXPECT_EQ(PixelAt(image, area.Left - thermometer->IndicatorBulbSize() - 3, y + 3), clRed);

    {
        TiLoadingBracket loading({thermometer});
        thermometer->SetOrientation(ioVertical);
    }
    EXPECT_EQ(thermometer->Orientation(), ioVertical);
    EXPECT_EQ(thermometer->Width(), 150);
    EXPECT_EQ(thermometer->Height(), 100);
    EXPECT_EQ(notifications, 1);

    // Values outside the enumeration are ignored.
    thermometer->SetOrientation(TiOrientation(5));
    thermometer->SetIndicatorStyle(TiThermometerIndicatorStyle(9));
    thermometer->SetIndicatorFillReferenceStyle(TiPointerFillReferenceStyle(-2));
    EXPECT_EQ(thermometer->Orientation(), ioVertical);
    EXPECT_EQ(thermometer->IndicatorStyle(), itisBulb);
    EXPECT_EQ(thermometer->IndicatorFillReferenceStyle(), ipfrsMin);
    EXPECT_EQ(thermometer->Width(), 150);
}

TEST_F(ThermometerTest, DraggingMarkersKeepsMinAtOrBelowMax)
{
    thermometer->SetShowMinPointer(true);
    thermometer->SetShowMaxPointer(true);
    thermometer->SetPosition(60);
    thermometer->SetPosition(10);
    ASSERT_EQ(thermometer->GetCurrentMax(), 60);
    ASSERT_EQ(thermometer->GetCurrentMin(), 0);
    QImage image = Render(*thermometer);
    const TRect minRect = thermometer->MinPointerHitRect();
    TRect maxRect = thermometer->MaxPointerHitRect();
    const TRect area = thermometer->LastLayout().ValueArea;
    // Both markers stand left of the tube (the ticks are on the right), in their colours.
    ASSERT_FALSE(minRect.IsEmpty());
    EXPECT_LT(minRect.Right, area.Left);
    EXPECT_LT(maxRect.Bottom, minRect.Top);
    EXPECT_EQ(PixelAt(image, minRect.Left + 2, (minRect.Top + minRect.Bottom) / 2), clYellow);
    EXPECT_EQ(PixelAt(image, maxRect.Left + 2, (maxRect.Top + maxRect.Bottom) / 2), clAqua);
    const auto markerPoint = [](const TRect& r) { return QPoint(r.Left + 2, (r.Top + r.Bottom) / 2); };
    const auto dragAndCheck = [&](QPoint press, int toDy) {
        MousePress(*thermometer, press);
        const int step = toDy > 0 ? 10 : -10;
        for (int dy = step; std::abs(dy) < std::abs(toDy) + std::abs(step); dy += step) {
            const int to = std::abs(dy) > std::abs(toDy) ? toDy : dy;
            MouseMove(*thermometer, press + QPoint(0, to), Qt::LeftButton);
            EXPECT_LE(thermometer->GetCurrentMin(), thermometer->GetCurrentMax()) << to;
        }
        MouseRelease(*thermometer, press + QPoint(0, toDy));
        Render(*thermometer);
    };

    // Not movable yet: a drag changes nothing.
    dragAndCheck(markerPoint(minRect), -40);
    EXPECT_EQ(thermometer->GetCurrentMin(), 0);

    // The min marker dragged far up stops at the top and pushes the max along.
    thermometer->SetMinMaxUserCanMove(true);
    dragAndCheck(markerPoint(minRect), -300);
    EXPECT_EQ(thermometer->GetCurrentMin(), 100);
    EXPECT_EQ(thermometer->GetCurrentMax(), 100);

    // Where both markers overlap the min marker is taken: half the tube down
    // lowers it to about half the range.
    const int half = area.Height() / 2;
    dragAndCheck(markerPoint(thermometer->MinPointerHitRect()), half);
    EXPECT_NEAR(thermometer->GetCurrentMin(), 50, 1);
    EXPECT_EQ(thermometer->GetCurrentMax(), 100);

    // The max marker dragged far down pulls the min along.
    maxRect = thermometer->MaxPointerHitRect();
    dragAndCheck(markerPoint(maxRect), 300);
    EXPECT_EQ(thermometer->GetCurrentMax(), 0);
    EXPECT_EQ(thermometer->GetCurrentMin(), 0);
    // Marker drags never touch the value.
    EXPECT_EQ(thermometer->GetPosition(), 10);
}

TEST_F(ThermometerTest, ValueDragIsAProgramChangeAndNeedsATube)
{
    Render(*thermometer);
    const TRect area = thermometer->LastLayout().ValueArea;
    const QPoint press(thermometer->LastLayout().Center.X, (area.Top + area.Bottom) / 2);
    // Not movable by default.
    MousePress(*thermometer, press);
    MouseMove(*thermometer, press - QPoint(0, 30), Qt::LeftButton);
    MouseRelease(*thermometer, press - QPoint(0, 30));
    EXPECT_EQ(thermometer->GetPosition(), 25);

    thermometer->SetIndicatorUserCanMove(true);
    // The drag length is the value area: half of it up raises by half the range.
    const int half = (thermometer->Height() - 2 * thermometer->EndsMargin() - 2 * thermometer->IndicatorBulbSize()) / 2;
    MousePress(*thermometer, press);
    MouseMove(*thermometer, press - QPoint(0, half), Qt::LeftButton);
    MouseRelease(*thermometer, press - QPoint(0, half));
    EXPECT_NEAR(thermometer->GetPosition(), 75, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(userChanges, 0);
    EXPECT_GE(thermometer->GetCurrentMax(), thermometer->GetPosition());

    // A thermometer too short for any tube ignores the drag instead of
    // dividing by a length of zero or less.
    thermometer->SetBounds(72, 16, 100, 32);
    Render(*thermometer);
    const double before = thermometer->GetPosition();
    MousePress(*thermometer, QPoint(thermometer->LastLayout().Center.X, 16));
    MouseMove(*thermometer, QPoint(thermometer->LastLayout().Center.X, 0), Qt::LeftButton);
    MouseRelease(*thermometer, QPoint(thermometer->LastLayout().Center.X, 0));
    EXPECT_EQ(thermometer->GetPosition(), before);
}

TEST_F(ThermometerTest, AutoCentringMovesTheTubeAwayFromTheTicksOnEitherSide)
{
    for (TiOrientation orientation : {ioVertical, ioHorizontal}) {
        thermometer->SetOrientation(orientation);
        const TPoint middle(thermometer->Width() / 2, thermometer->Height() / 2);
        thermometer->SetOrientationTickMarks(iosBottomRight);
        Render(*thermometer);
        const TPoint awayFromBottomRight = thermometer->LastLayout().Center;
        thermometer->SetOrientationTickMarks(iosTopLeft);
        Render(*thermometer);
        const TPoint awayFromTopLeft = thermometer->LastLayout().Center;
        // The same distance from the middle, on the side without ticks.
        if (orientation == ioVertical) {
            EXPECT_LT(awayFromBottomRight.X, middle.X);
            EXPECT_EQ(awayFromTopLeft.X - middle.X, middle.X - awayFromBottomRight.X);
            EXPECT_EQ(awayFromTopLeft.Y, middle.Y);
        } else {
            EXPECT_LT(awayFromBottomRight.Y, middle.Y);
            EXPECT_EQ(awayFromTopLeft.Y - middle.Y, middle.Y - awayFromBottomRight.Y);
            EXPECT_EQ(awayFromTopLeft.X, middle.X);
        }
    }
}

TEST_F(ThermometerTest, MarkersStandOppositeTheTicksAndPointAtTheTube)
{
    thermometer->SetShowMaxPointer(true);
    thermometer->SetPosition(60);
    const int s = thermometer->MinMaxPointerSize();
    const int m = thermometer->MinMaxPointerMargin();
    const int h = s / 2;
    for (TiOrientation orientation : {ioVertical, ioHorizontal}) {
        thermometer->SetOrientation(orientation);
        for (TiOrientationSide side : {iosBottomRight, iosTopLeft}) {
            thermometer->SetOrientationTickMarks(side);
            const QImage image = Render(*thermometer);
            const TRect a = thermometer->LastLayout().ValueArea;
            const int p = thermometer->ValueToPixel(60, a);
            TRect expected;
            QPoint nearTip, nearBase;  // inside the triangle, next to its tip and its base
            if (orientation == ioVertical && side == iosBottomRight) {
                expected = TRect(a.Left - m - s, p - h, a.Left - m, p + h);
                nearTip = QPoint(a.Left - m - 2, p);
                nearBase = QPoint(a.Left - m - s + 1, p + h - 1);
            } else if (orientation == ioVertical) {
                expected = TRect(a.Right + m, p - h, a.Right + m + s, p + h);
                nearTip = QPoint(a.Right + m + 2, p);
                nearBase = QPoint(a.Right + m + s - 1, p + h - 1);
            } else if (side == iosBottomRight) {
                expected = TRect(p - h, a.Top - m - s, p + h, a.Top - m);
                nearTip = QPoint(p, a.Top - m - 2);
                nearBase = QPoint(p + h - 1, a.Top - m - s + 1);
            } else {
                expected = TRect(p - h, a.Bottom + m, p + h, a.Bottom + m + s);
                nearTip = QPoint(p, a.Bottom + m + 2);
                nearBase = QPoint(p + h - 1, a.Bottom + m + s - 1);
            }
            EXPECT_EQ(thermometer->MaxPointerHitRect(), expected) << orientation << side;
            EXPECT_EQ(PixelAt(image, nearTip.x(), nearTip.y()), clAqua) << orientation << side;
            EXPECT_EQ(PixelAt(image, nearBase.x(), nearBase.y()), clAqua) << orientation << side;
        }
    }
}

TEST_F(ThermometerTest, BulbRimEnclosesTheLiquid)
{
    thermometer->SetIndicatorBulbSize(9);
    const QImage image = Render(*thermometer);
    const TRect& area = thermometer->LastLayout().ValueArea;
    const TPoint c(thermometer->LastLayout().Center.X, area.Bottom + 9);
    const TColor shadow = ClassicSystemColor(sciBtnShadow);
    // Going outward to the right and downward, the liquid ends at the rim, which
    // runs in the shadow colour from the lower left round the right side to the top.
    const auto liquidPastTheRim = [&](QPoint from, QPoint step) {
        bool rim = false;
        for (QPoint p = from; std::abs(p.x() - c.X) <= 12 && std::abs(p.y() - c.Y) <= 12; p += step) {
            const TColor colour = PixelAt(image, p.x(), p.y());
            if (rim && colour == clRed)
                return true;
            rim = rim || colour == shadow;
        }
        return false;
    };
    for (int y = c.Y - 9; y <= c.Y + 7; ++y)
        EXPECT_FALSE(liquidPastTheRim(QPoint(c.X, y), QPoint(1, 0))) << "row " << y - c.Y;
    for (int x = c.X - 5; x <= c.X + 9; ++x)
        EXPECT_FALSE(liquidPastTheRim(QPoint(x, c.Y), QPoint(0, 1))) << "column " << x - c.X;
    EXPECT_EQ(PixelAt(image, c.X + 8, c.Y - 1), shadow);
}
