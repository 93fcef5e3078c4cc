// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dials/knob.h"

#include "tests/support/widget_test_support.h"
#include "widgets/base/clock.h"
#include "widgets/base/drawing_helpers.h"

#include <QCoreApplication>
#include <QFile>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <numbers>
#include <string>
#include <vector>

using namespace widget_test;

namespace {

// Screen point at `radius` from `center`, at screen angle `degrees` (clockwise
// from 3 o'clock, as the pointer moves on the screen).
QPoint ScreenPoint(TPoint center, double degrees, double radius)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return QPoint(center.X + int(std::lround(radius * std::cos(a))), center.Y + int(std::lround(radius * std::sin(a))));
}

// Point of a knob drawing at `radius` and knob angle `degrees` (counter-clockwise).
QPoint DialPoint(TPoint center, double degrees, double radius)
{
    return ScreenPoint(center, -degrees, radius);
}

class KnobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.resize(700, 500);
        knob1 = new TiKnob(&parent);
        knob2 = new TiKnob(&parent);
        {
            TiLoadingBracket loading({knob1, knob2});
            // The start-voltage knob.
            knob1->SetBounds(88, 16, 150, 150);
            knob1->SetPosition(300);
            knob1->SetPositionMin(300);
            knob1->SetPositionMax(700);
            knob1->SetCurrentMin(300);
            knob1->PositionDisplayFont()->SetHeight(-19);
            knob1->SetPositionDisplayPrecision(0);
            knob1->SetPositionDisplayUnits("0");
            knob1->SetKeyArrowStepSize(0.1);
            knob1->SetKeyPageStepSize(1);
            knob1->SetMouseWheelStepSize(1);
            knob1->SetKnobRadius(33);
            // A soft-start time knob.
            knob2->SetBounds(300, 48, 145, 137);
            knob2->SetPositionMax(99);
            knob2->SetKeyArrowStepSize(0.1);
            knob2->SetKeyPageStepSize(1);
            knob2->SetMouseWheelStepSize(1);
            knob2->SetKnobRadius(29);
        }
        knob1->OnClick = [this](TObject*) { log.push_back("click " + std::to_string(int(knob1->GetPosition()))); };
        knob1->OnPositionChangeFinished = [this](TObject*) { log.push_back("finished"); };
        knob1->OnPositionChangeUser = [this](TObject*) { ++userChanges; };
        knob1->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("mouseup"); };
        parent.show();
    }

    void TearDown() override
    {
        knob1->OnClick = nullptr;
        knob1->OnPositionChangeFinished = nullptr;
        knob1->OnPositionChangeUser = nullptr;
        knob1->OnMouseUp = nullptr;
    }

    // Presses on the face at `screenDegrees`, then moves the pointer around the
    // centre through the given screen angles (left button held).
    void Drag(TiKnob& knob, double pressDegrees, const std::vector<double>& moves, bool release = true)
    {
        const TPoint c = knob.KnobCenter();
        const double pressRadius = knob.KnobRadius() / 2.0;
        MousePress(knob, ScreenPoint(c, pressDegrees, pressRadius));
        for (double degrees : moves)
            MouseMove(knob, ScreenPoint(c, degrees, 60), Qt::LeftButton);
        if (release)
            MouseRelease(knob, ScreenPoint(c, moves.empty() ? pressDegrees : moves.back(), 60));
    }

    ClassicPaletteScope palette;
    QWidget parent;
    TiKnob* knob1 = nullptr;
    TiKnob* knob2 = nullptr;
    std::vector<std::string> log;
    int userChanges = 0;
};

}  // namespace

TEST_F(KnobTest, ConsoleSettingsAndTheRadiusComputedAtTheFirstPaint)
{
    EXPECT_EQ(knob1->GetPosition(), 300);
    EXPECT_EQ(knob1->GetPositionMin(), 300);
    EXPECT_EQ(knob1->GetPositionMax(), 700);
    EXPECT_EQ(knob1->GetCurrentMin(), 300);
    EXPECT_EQ(knob1->PositionDisplayFont()->Height(), -19);
    EXPECT_EQ(knob1->PositionDisplayPrecision(), 0);
    EXPECT_EQ(knob1->PositionDisplayUnits(), "0");
    EXPECT_EQ(knob1->KnobRadius(), 33);
    EXPECT_FALSE(knob1->ShowPostionDisplay());
    EXPECT_EQ(knob2->Width(), 145);
    EXPECT_EQ(knob2->Height(), 137);
    EXPECT_EQ(knob2->GetPositionMax(), 99);
    EXPECT_EQ(knob2->KnobRadius(), 29);

    const QImage image1 = Render(*knob1);
    const QImage image2 = Render(*knob2);
    // AutoSize replaced the stored radii by ones that leave room for the
    // scale and labels inside each widget; the smaller widget gets the smaller face.
    const int r1 = knob1->KnobRadius();
    const int r2 = knob2->KnobRadius();
    EXPECT_GT(r1, 15);
    EXPECT_LT(r1, 75 - 5 - 7);
    EXPECT_GT(r2, 10);
    EXPECT_LE(r2, r1);
    // The face is painted with that radius: shaded inside, background just
    // outside (the tick margin is free).
    const TColor background = ClassicSystemColor(sciBtnFace);
    for (auto [knob, image, r] : {std::tuple{knob1, image1, r1}, std::tuple{knob2, image2, r2}}) {
        const TPoint c = knob->KnobCenter();
        EXPECT_EQ(c, TPoint(knob->Width() / 2, knob->Height() / 2));
        EXPECT_NE(PixelAt(image, c.X - r + 3, c.Y), background);
        EXPECT_NE(PixelAt(image, c.X + r - 3, c.Y), background);
        EXPECT_EQ(PixelAt(image, c.X, c.Y - r - 2), background);
        // Raised face: lighter at the upper left than at the lower right.
        const TColor light = PixelAt(image, c.X - r / 2, c.Y - r / 2);
        const TColor dark = PixelAt(image, c.X + r / 2, c.Y + r / 2);
        EXPECT_GT(GreenOf(light), GreenOf(dark));
    }
    // The read-out stays hidden: nothing dark in the middle of the face.
    const TPoint c = knob1->KnobCenter();
    EXPECT_EQ(CountColor(image1, clBlack, c.X - 10, c.Y - 8, c.X + 10, c.Y + 8), 0);
    knob1->SetShowPostionDisplay(true);
    const QImage withReadout = Render(*knob1);
    EXPECT_GT(CountColor(withReadout, clBlack, c.X - 12, c.Y - 10, c.X + 12, c.Y + 10), 10);
}

TEST_F(KnobTest, SettersCorrectOutOfRangeValues)
{
    knob1->SetPositionDisplayPrecision(-3);
    EXPECT_EQ(knob1->PositionDisplayPrecision(), 0);
    knob1->SetPositionDisplayUnits("   ");
    EXPECT_TRUE(knob1->PositionDisplayUnits().isEmpty());
    knob1->SetPositionDisplayUnits(" V");
    EXPECT_EQ(knob1->PositionDisplayUnits(), " V");
    knob1->SetIndicatorSize(0);
    EXPECT_EQ(knob1->IndicatorSize(), 1);
    knob1->SetIndicatorSize(-7);
    EXPECT_EQ(knob1->IndicatorSize(), 1);
    knob1->SetKnobStyle(TiKnobStyle(42));
    EXPECT_EQ(knob1->KnobStyle(), iksRaised);
    knob1->SetIndicatorStyle(TiKnobIndicatorStyle(-1));
    EXPECT_EQ(knob1->IndicatorStyle(), ikisDotLowered);

    // Too small for its scale: no face, and no press can start a drag.
    knob1->SetKnobStyle(iksRaisedEdge);
    Render(*knob1, 20, 20);
    EXPECT_LE(knob1->KnobRadius(), 0);
    MousePress(*knob1, QPoint(10, 10));
    EXPECT_FALSE(knob1->IsDragging());
    MouseRelease(*knob1, QPoint(10, 10));
}

TEST_F(KnobTest, ClickRuleAndOrderOfEventsAtRelease)
{
    Render(*knob1);
    const TPoint c = knob1->KnobCenter();
    // A click on the face that does not move: OnClick with the unchanged
    // position, no finished report.
    Click(*knob1, QPoint(c.X + 3, c.Y + 2));
    EXPECT_EQ(log, (std::vector<std::string>{"click 300", "mouseup"}));
    log.clear();
    // A click in a corner (on no part of the face) also clicks.
    Click(*knob1, QPoint(2, 2));
    EXPECT_EQ(log, (std::vector<std::string>{"click 300", "mouseup"}));
    log.clear();
    // A program change before a click is not reported by the click.
    knob1->SetPosition(400);
    Click(*knob1, QPoint(c.X, c.Y));
    EXPECT_EQ(log, (std::vector<std::string>{"click 400", "mouseup"}));
    log.clear();
    // A drag: the click handler reads the final value, then the finished
    // report, then the mouse-up event.
    Drag(*knob1, 180, {200, 220, 240});
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "click " + std::to_string(int(knob1->GetPosition())));
    EXPECT_GT(knob1->GetPosition(), 400);
    EXPECT_EQ(log[1], "finished");
    EXPECT_EQ(log[2], "mouseup");
    log.clear();
    // Released outside the widget: no click, but the drag still finishes.
    MousePress(*knob1, QPoint(c.X, c.Y + 5));
    MouseMove(*knob1, ScreenPoint(c, 0, 60), Qt::LeftButton);
    MouseRelease(*knob1, QPoint(-20, -20));
    EXPECT_EQ(log, (std::vector<std::string>{"finished", "mouseup"}));
}

TEST(KnobPublishing, AProgramChangeIsPublishedOnceAndADragWhenItEnds)
{
    struct CountingKnob : TiKnob {
        int published = 0;
        void PublishPositionValue() override { ++published; }
    } knob;
    Render(knob);
    knob.SetPosition(40);
    EXPECT_EQ(knob.published, 1);
    const TPoint c = knob.KnobCenter();
    Click(knob, QPoint(c.X, c.Y));
    EXPECT_EQ(knob.published, 1) << "a press forgets the program change without publishing it again";
    MousePress(knob, QPoint(c.X + 5, c.Y));
    MouseMove(knob, QPoint(c.X, c.Y + 5), Qt::LeftButton);
    EXPECT_EQ(knob.published, 1) << "a user change waits for its end";
    MouseRelease(knob, QPoint(c.X, c.Y + 5));
    EXPECT_EQ(knob.published, 2);
}

TEST_F(KnobTest, DraggingFollowsThePointerAngleAndHoldsAtTheEnds)
{
    Render(*knob1);
    ASSERT_EQ(knob1->GetPosition(), 300);
    // Clockwise from the left round the top to the right and on past the end:
    // 300 degrees of turning for a 270-degree sweep.
    std::vector<double> clockwise;
    for (double a = 200; a <= 480; a += 20)
        clockwise.push_back(a > 180 ? a - 360 : a);
    Drag(*knob1, 180, clockwise, false);
    EXPECT_EQ(knob1->GetPosition(), 700);
    EXPECT_TRUE(knob1->IsDragging());
    // One step back counter-clockwise lowers the value at once (20 degrees of 270).
    MouseMove(*knob1, ScreenPoint(knob1->KnobCenter(), clockwise.back() - 20, 60), Qt::LeftButton);
    EXPECT_NEAR(knob1->GetPosition(), 700 - 400 * 20 / 270.0, 3);
    EXPECT_GT(userChanges, 10);
    MouseRelease(*knob1, ScreenPoint(knob1->KnobCenter(), 0, 60));
    EXPECT_FALSE(knob1->IsDragging());

    // A press on the scale, outside the face, starts no drag.
    const TPoint c = knob1->KnobCenter();
    const double before = knob1->GetPosition();
    MousePress(*knob1, ScreenPoint(c, 0, knob1->KnobRadius() + 4));
    MouseMove(*knob1, ScreenPoint(c, 90, 60), Qt::LeftButton);
    MouseRelease(*knob1, ScreenPoint(c, 90, 60));
    EXPECT_EQ(knob1->GetPosition(), before);
}

TEST_F(KnobTest, AJumpOfMoreThan200DegreesIsASmallStepTheOtherWay)
{
    knob1->SetPosition(500);
    Render(*knob1);
    // Across the seam at the left (screen angle 180): 170 -> -170 is 20
    // degrees clockwise, not 340 counter-clockwise.
    Drag(*knob1, 170, {-170}, false);
    EXPECT_GT(knob1->GetPosition(), 500);
    EXPECT_NEAR(knob1->GetPosition(), 500 + 400 * 20 / 270.0, 4);
    MouseMove(*knob1, ScreenPoint(knob1->KnobCenter(), 170, 60), Qt::LeftButton);
    EXPECT_NEAR(knob1->GetPosition(), 500, 4);
    MouseMove(*knob1, ScreenPoint(knob1->KnobCenter(), 150, 60), Qt::LeftButton);
    EXPECT_LT(knob1->GetPosition(), 500);
    MouseRelease(*knob1, ScreenPoint(knob1->KnobCenter(), 150, 60));

    // A knob without sweep ignores drags instead of jumping to an end.
    knob1->SetRotationMaxDegrees(0);
    const double before = knob1->GetPosition();
    Render(*knob1);
    Drag(*knob1, 180, {200, 220});
    EXPECT_EQ(knob1->GetPosition(), before);
}

TEST_F(KnobTest, WheelStepsAreFilteredWithin30Milliseconds)
{
    TiControlledClock clock;
    Render(*knob1);
    const QPoint at(knob1->KnobCenter().X, knob1->KnobCenter().Y);
    Wheel(*knob1, at, 120);
    EXPECT_EQ(knob1->GetPosition(), 301);
    clock.Advance(10);
    Wheel(*knob1, at, 120);
    EXPECT_EQ(knob1->GetPosition(), 301);
    clock.Advance(25);
    Wheel(*knob1, at, 360);  // one step whatever the delta's size
    EXPECT_EQ(knob1->GetPosition(), 302);
    clock.Advance(40);
    Wheel(*knob1, at, -120);
    EXPECT_EQ(knob1->GetPosition(), 301);
    EXPECT_EQ(log, (std::vector<std::string>{"finished", "finished", "finished"}));
    // A clock set back does not lock the wheel.
    clock.Advance(-60000);
    Wheel(*knob1, at, 120);
    EXPECT_EQ(knob1->GetPosition(), 302);
    // A touchpad's zero delta is no notch and does not swallow the next one; a
    // horizontal swipe does not turn the knob.
    clock.Advance(40);
    Wheel(*knob1, at, 0);
    clock.Advance(10);
    Wheel(*knob1, at, 120);
    EXPECT_EQ(knob1->GetPosition(), 303);
    clock.Advance(40);
    QWheelEvent sideways{QPointF(at), QPointF(at), QPoint(), QPoint(-120, 0), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false};
    QCoreApplication::sendEvent(knob1, &sideways);
    EXPECT_EQ(knob1->GetPosition(), 303);
    // No click from the wheel.
    EXPECT_TRUE(std::none_of(log.begin(), log.end(), [](const std::string& e) { return e.rfind("click", 0) == 0; }));
}

TEST_F(KnobTest, KeysStepJumpAndReportWhenReleased)
{
    Render(*knob1);
    KeyPress(*knob1, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(knob1->GetPosition(), 300.1);
    EXPECT_TRUE(knob1->IsKeyDown());
    KeyRelease(*knob1, Qt::Key_Right);
    EXPECT_FALSE(knob1->IsKeyDown());
    KeyPress(*knob1, Qt::Key_Left);
    KeyRelease(*knob1, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(knob1->GetPosition(), 300);
    EXPECT_EQ(log, (std::vector<std::string>{"finished", "finished"}));
    log.clear();

    KeyPress(*knob1, Qt::Key_End);
    KeyRelease(*knob1, Qt::Key_End);
    EXPECT_EQ(knob1->GetPosition(), 700);
    KeyPress(*knob1, Qt::Key_Home);
    KeyRelease(*knob1, Qt::Key_Home);
    EXPECT_EQ(knob1->GetPosition(), 300);
    knob1->SetPosition(699.5);
    KeyPress(*knob1, Qt::Key_PageUp);
    EXPECT_EQ(knob1->GetPosition(), 700);
    KeyRelease(*knob1, Qt::Key_PageUp);
    KeyPress(*knob1, Qt::Key_PageDown);
    KeyRelease(*knob1, Qt::Key_PageDown);
    EXPECT_EQ(knob1->GetPosition(), 699);
    KeyPress(*knob1, Qt::Key_Up);
    KeyRelease(*knob1, Qt::Key_Up);
    KeyPress(*knob1, Qt::Key_Down);
    KeyRelease(*knob1, Qt::Key_Down);
    EXPECT_DOUBLE_EQ(knob1->GetPosition(), 699);
    // A key that changes nothing reports nothing; keys never click.
    log.clear();
    KeyPress(*knob1, Qt::Key_A);
    KeyRelease(*knob1, Qt::Key_A);
    EXPECT_TRUE(log.empty());

    knob1->SetUseKeyboard(false);
    KeyPress(*knob1, Qt::Key_Home);
    KeyRelease(*knob1, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(knob1->GetPosition(), 699);
    EXPECT_TRUE(log.empty());
}

TEST_F(KnobTest, IndicatorIsDrawnAtTheAngleOfThePosition)
{
    knob1->SetIndicatorStyle(ikisDot);
    knob1->SetShowTickLabels(false);
    const int s = knob1->IndicatorSize();
    const int m = knob1->IndicatorMargin();
    // PositionMin at 225 degrees, the middle at the top, PositionMax at -45.
    for (auto [position, degrees] : {std::pair{300.0, 225.0}, std::pair{500.0, 90.0}, std::pair{700.0, -45.0},
                                     std::pair{400.0, 157.5}}) {
        knob1->SetPosition(position);
        const QImage image = Render(*knob1);
        const TPoint c = knob1->KnobCenter();
        const int r = knob1->KnobRadius() - m - s;
        const QPoint dot = DialPoint(c, degrees, r);
        EXPECT_EQ(PixelAt(image, dot.x(), dot.y()), clRed) << position;
        const QPoint elsewhere = DialPoint(c, degrees + 90, r);
        EXPECT_NE(PixelAt(image, elsewhere.x(), elsewhere.y()), clRed) << position;
    }
    // Dragging shows the active colour.
    knob1->SetPosition(500);
    Render(*knob1);
    MousePress(*knob1, QPoint(knob1->KnobCenter().X, knob1->KnobCenter().Y + 3));
    QImage image = Render(*knob1);
    const QPoint top = DialPoint(knob1->KnobCenter(), 90, knob1->KnobRadius() - m - s);
    EXPECT_EQ(PixelAt(image, top.x(), top.y()), clAqua);
    MouseRelease(*knob1, QPoint(knob1->KnobCenter().X, knob1->KnobCenter().Y + 3));
    image = Render(*knob1);
    EXPECT_EQ(PixelAt(image, top.x(), top.y()), clRed);

    // A line to the centre passes through the middle of the face.
    knob1->SetIndicatorStyle(ikisLineCenter);
    image = Render(*knob1);
    const QPoint halfway = DialPoint(knob1->KnobCenter(), 90, (knob1->KnobRadius() - m) / 2.0);
    EXPECT_EQ(PixelAt(image, halfway.x(), halfway.y()), clRed);
    // A triangle has its tip at the rim less the margin.
    knob1->SetIndicatorStyle(ikisTriangle);
    knob1->SetIndicatorSize(8);
    image = Render(*knob1);
    const QPoint inside = DialPoint(knob1->KnobCenter(), 90, knob1->KnobRadius() - m - 3);
    EXPECT_EQ(PixelAt(image, inside.x(), inside.y()), clRed);
    EXPECT_NE(PixelAt(image, inside.x() - 6, inside.y() + 8), clRed);
}

TEST_F(KnobTest, EmptyRangePutsIndicatorAndEveryTickAtTheStartAngle)
{
    knob1->SetIndicatorStyle(ikisDot);
    knob1->SetShowTickLabels(false);
    knob1->SetTickMajorColor(clBlue);
    knob1->SetTickMinorColor(clBlue);
    knob1->SetPositionMax(300);
    ASSERT_EQ(knob1->GetPositionMin(), knob1->GetPositionMax());
    const QImage image = Render(*knob1);
    const TPoint c = knob1->KnobCenter();
    const int r = knob1->KnobRadius();
    const QPoint dot = DialPoint(c, 225, r - knob1->IndicatorMargin() - knob1->IndicatorSize());
    EXPECT_EQ(PixelAt(image, dot.x(), dot.y()), clRed);
    const int tickMiddle = knob1->TickMargin() + r + knob1->TickMajorLength() / 2;
    const QPoint tick = DialPoint(c, 225, tickMiddle);
    EXPECT_EQ(PixelAt(image, tick.x(), tick.y()), clBlue);
    // Nothing of the scale anywhere else on the circle.
    for (double degrees : {90.0, 0.0, 180.0, -45.0}) {
        const QPoint p = DialPoint(c, degrees, tickMiddle);
        EXPECT_NE(PixelAt(image, p.x(), p.y()), clBlue) << degrees;
    }
}

TEST_F(KnobTest, SunkenAndEdgeFacesAndLosingFocusEndsADrag)
{
    knob1->SetKnobStyle(iksSunkenEdge);
    knob1->SetKnobEdgeWidth(6);
    QImage image = Render(*knob1);
    TPoint c = knob1->KnobCenter();
    const int r = knob1->KnobRadius();
    // Sunken ring: darker at the upper left than at the lower right; the
    // middle is flat in the face colour.
    EXPECT_LT(GreenOf(PixelAt(image, c.X - r * 65 / 100, c.Y - r * 65 / 100 + 1)),
              GreenOf(PixelAt(image, c.X + r * 65 / 100 - 1, c.Y + r * 65 / 100)));
    EXPECT_EQ(PixelAt(image, c.X - r / 3, c.Y - r / 3), ClassicSystemColor(sciBtnFace));

    Render(*knob1);
    c = knob1->KnobCenter();
    MousePress(*knob1, QPoint(c.X - 5, c.Y));
    MouseMove(*knob1, ScreenPoint(c, -150, 60), Qt::LeftButton);
    ASSERT_TRUE(knob1->IsDragging());
    FocusOut(*knob1);
    EXPECT_FALSE(knob1->IsDragging());
    EXPECT_EQ(std::count(log.begin(), log.end(), "finished"), 1);
}

TEST_F(KnobTest, PropertyFileRoundTripAndBadInput)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("knob.txt");
    knob1->SetKnobStyle(iksSunken);
    knob1->SetKeyArrowStepSize(0.25);
    knob1->SetPosition(500);
    knob1->SavePropertiesToFile(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    EXPECT_GE(lines.indexOf("KeyArrowStepSize = 0.25"), 0);
    EXPECT_GE(lines.indexOf("PositionDisplayFont.Height = -19"), 0);
    EXPECT_GE(lines.indexOf("PositionDisplayUnits = 0"), 0);

    TiKnob copy(&parent);
    copy.LoadPropertiesFromFile(path);
    EXPECT_EQ(copy.GetPositionMin(), 300);
    EXPECT_EQ(copy.GetPositionMax(), 700);
    EXPECT_EQ(copy.GetPosition(), 500) << "the value is applied after its range";
    EXPECT_EQ(copy.KnobStyle(), iksSunken);
    EXPECT_EQ(copy.KeyArrowStepSize(), 0.25);
    EXPECT_EQ(copy.PositionDisplayFont()->Height(), -19);
    EXPECT_EQ(copy.PositionDisplayUnits(), "0");

    // Out-of-range and malformed values: corrected, refused with the loading
    // error, never stored as garbage.
    const QString bad = dir.filePath("bad.txt");
    QFile out(bad);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("IndicatorSize = -4\nNoSuchProperty = 3\nKnobStyle = 17\nKeyPageStepSize_2 = 5\n");
    out.close();
    try {
        copy.LoadPropertiesFromFile(bad);
        ADD_FAILURE() << "an enumeration value outside its range was accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Error Loading Properties - ", 0), 0u) << e.what();
    }
    EXPECT_EQ(copy.IndicatorSize(), 1);
    EXPECT_EQ(copy.KnobStyle(), iksSunken);
    QFile garbage(bad);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("KeyArrowStepSize = twelve\n");
    garbage.close();
    EXPECT_THROW(copy.LoadPropertiesFromFile(bad), std::runtime_error);
    EXPECT_EQ(copy.KeyArrowStepSize(), 0.25);
    // A value held back for its range is still applied when a later line fails.
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("Position = 750\nPositionMax = 800\nKnobStyle = 17\n");
    garbage.close();
    EXPECT_THROW(copy.LoadPropertiesFromFile(bad), std::runtime_error);
    EXPECT_EQ(copy.GetPositionMax(), 800);
    EXPECT_EQ(copy.GetPosition(), 750);
    Render(copy);
}

TEST_F(KnobTest, AutoRadiusLeavesRoomForTheWidestLabelTicksAndMargins)
{
    // r = (min(Width, Height) - 2 OuterMargin - label reach - 2 (TickMargin + TickMajorLength
    // + TickLabelMargin + 4)) / 2; the label reach is the widest label across the sides
    // and the tallest at the top and bottom.
    knob2->SetOuterMargin(3);
    Render(*knob2);
    QImage scratch(8, 8, QImage::Format_RGB32);
    TCanvas canvas(&scratch);
    canvas.Font.Assign(*knob2->TickLabelFont());
    int reach = 0;
    const int count = knob2->TickMajorCount();
    for (int i = 0; i < count; ++i) {
        const double value = knob2->GetPositionMin() + (knob2->GetPositionMax() - knob2->GetPositionMin()) / (count - 1) * i;
        const TSize extent = canvas.TextExtent(knob2->GetLabelText(value, i));
        const TPoint unit = PolarToScreenPoint(TPoint(0, 0), knob2->ValueToAngle(value), 1);
        reach = std::max({reach, extent.cx * std::abs(unit.X), extent.cy * std::abs(unit.Y)});
    }
    ASSERT_GT(reach, 0);
    const int ticks = knob2->TickMargin() + knob2->TickMajorLength();
    EXPECT_EQ(knob2->KnobRadius(), (137 - 2 * 3 - reach - 2 * (ticks + knob2->TickLabelMargin() + 4)) / 2);
    knob2->SetShowTickLabels(false);
    Render(*knob2);
    EXPECT_EQ(knob2->KnobRadius(), (137 - 2 * 3 - 2 * ticks) / 2);
}

TEST_F(KnobTest, FaceLightensWhileDragged)
{
    knob1->SetKnobStyle(iksRaisedEdge);  // the middle of the face is flat
    Render(*knob1);
    const TPoint c = knob1->KnobCenter();
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(PixelAt(Render(*knob1), c.X, c.Y), face);
    MousePress(*knob1, QPoint(c.X, c.Y + 3));
    ASSERT_TRUE(knob1->IsDragging());
    EXPECT_EQ(PixelAt(Render(*knob1), c.X, c.Y), Lighter16(clBtnFace));
    MouseRelease(*knob1, QPoint(c.X, c.Y + 3));
    EXPECT_EQ(PixelAt(Render(*knob1), c.X, c.Y), face);
}

TEST_F(KnobTest, DotRimsShadeOppositeHalvesAndEncloseTheDot)
{
    knob1->SetIndicatorSize(6);
    knob1->SetPosition(500);  // the dot at the top of the face
    for (auto [style, upperLeft, lowerRight] :
         {std::tuple{ikisDotLowered, TColor(0x808080), TColor(0xFFFFFF)},
          std::tuple{ikisDotRaised, TColor(0xFFFFFF), TColor(0x808080)}}) {
        knob1->SetIndicatorStyle(style);
        const QImage image = Render(*knob1);
        const QPoint dot = DialPoint(knob1->KnobCenter(), 90, knob1->KnobRadius() - knob1->IndicatorMargin() - 6);
        // The square of half-side 6 covers dot - 6 .. dot + 5.
        EXPECT_EQ(PixelAt(image, dot.x() - 6, dot.y()), upperLeft) << style;
        EXPECT_EQ(PixelAt(image, dot.x(), dot.y() - 6), upperLeft) << style;
        EXPECT_EQ(PixelAt(image, dot.x() + 5, dot.y()), lowerRight) << style;
        EXPECT_EQ(PixelAt(image, dot.x(), dot.y() + 5), lowerRight) << style;
        // No pixel of the red dot lies outside its rim.
        for (int y = dot.y() - 8; y <= dot.y() + 8; ++y) {
            for (int x = dot.x() - 8; x <= dot.x() + 8; ++x) {
                if (PixelAt(image, x, y) != clRed)
                    continue;
                for (const QPoint next : {QPoint(x + 1, y), QPoint(x - 1, y), QPoint(x, y + 1), QPoint(x, y - 1)}) {
                    const TColor c = PixelAt(image, next.x(), next.y());
                    EXPECT_TRUE(c == clRed || c == upperLeft || c == lowerRight)
                        << style << ": fill outside the rim at " << x << "," << y;
                }
            }
        }
    }
}
