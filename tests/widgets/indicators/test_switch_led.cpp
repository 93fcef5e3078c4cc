// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/switch_led.h"

#include "tests/widgets/indicators/indicator_test_helpers.h"
#include "tests/support/widget_test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

using namespace widget_test;
using indicator_test::Counting;

namespace {

class SwitchLedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sw = new Counting<TiSwitchLed>(&window);
        sw->SetBounds(0, 0, 177, 28);
        sw->OnChange = [this](TObject*) { events << (sw->Active() ? "change:on" : "change:off"); };
        sw->OnChangeUser = [this](TObject*) { events << (sw->Active() ? "user:on" : "user:off"); };
    }

    void Press(QPoint at) { MousePress(*sw, at); }
    void Release(QPoint at) { MouseRelease(*sw, at); }

    QWidget window;
    Counting<TiSwitchLed>* sw = nullptr;
    QStringList events;
};

const QPoint kInside(80, 14);
const QPoint kOutside(300, 14);

}  // namespace

TEST_F(SwitchLedTest, ProgramChangesFireOnChangeButNotOnChangeUser)
{
    sw->SetActive(true);
    sw->SetActive(true);
    sw->SetActive(false);
    EXPECT_EQ(events, QStringList({"change:on", "change:off"}));

    // Caption, colour and the other appearance writes never fire OnChange.
    sw->SetCaption("RUN");
    sw->SetActiveColor(clRed);
    sw->SetCaptionMargin(4);
    sw->SetIndicatorAlignment(isaLeft);
    EXPECT_EQ(events.size(), 2);

    // Equal writes repaint nothing.
    const int repaints = sw->repaints;
    sw->SetCaption("RUN");
    sw->SetActiveColor(clRed);
    sw->SetIndicatorAlignment(isaLeft);
    sw->SetActive(false);
    EXPECT_EQ(sw->repaints, repaints);
}

TEST_F(SwitchLedTest, ClickInsideTogglesAsUserChangeReleaseOutsideDoesNot)
{
    Press(kInside);
    EXPECT_TRUE(sw->IsMousePressed());
    EXPECT_FALSE(sw->Active()) << "nothing changes before the release";
    Release(kInside);
    EXPECT_FALSE(sw->IsMousePressed());
    EXPECT_EQ(events, QStringList({"change:on", "user:on"}));

    events.clear();
    Press(kInside);
    Release(kOutside);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(sw->Active());

    // Only the left button presses the switch.
    MousePress(*sw, kInside, Qt::RightButton);
    MouseRelease(*sw, kInside, Qt::RightButton);
    EXPECT_TRUE(events.isEmpty());

    // A program change after the user's one is not reported as the user's.
    sw->SetActive(false);
    EXPECT_EQ(events, QStringList({"change:off"}));
}

TEST_F(SwitchLedTest, SpaceKeyTogglesOnRelease)
{
    FocusIn(*sw);
    KeyPress(*sw, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(sw->IsSpacePressed());
    EXPECT_TRUE(events.isEmpty());
    KeyRelease(*sw, Qt::Key_Space);
    EXPECT_FALSE(sw->IsSpacePressed());
    EXPECT_EQ(events, QStringList({"change:on", "user:on"}));

    // A release without a press does nothing; other keys do nothing.
    events.clear();
    KeyRelease(*sw, Qt::Key_Space);
    KeyPress(*sw, Qt::Key_Return);
    KeyRelease(*sw, Qt::Key_Return);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(SwitchLedTest, FocusLossCancelsPressUnderWay)
{
    FocusIn(*sw);
    Press(kInside);
    FocusOut(*sw);
    EXPECT_FALSE(sw->IsMousePressed());
    Release(kInside);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(sw->Active());

    FocusIn(*sw);
    KeyPress(*sw, Qt::Key_Space, Qt::NoModifier, " ");
    FocusOut(*sw);
    KeyRelease(*sw, Qt::Key_Space);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(SwitchLedTest, MomentaryStyleFollowsTheButton)
{
    sw->SetMomentaryStyle(ismsSimple);
    Press(kInside);
    EXPECT_TRUE(sw->Active());
    Release(kOutside);  // wherever the pointer is
    EXPECT_FALSE(sw->Active());
    EXPECT_EQ(events, QStringList({"change:on", "user:on", "change:off", "user:off"}));

    // Losing the focus while held releases the switch instead of leaving it on.
    events.clear();
    FocusIn(*sw);
    Press(kInside);
    FocusOut(*sw);
    EXPECT_FALSE(sw->Active());
    EXPECT_EQ(events, QStringList({"change:on", "user:on", "change:off", "user:off"}));
}

TEST_F(SwitchLedTest, VetoLoadingAndHandlerErrors)
{
    bool allow = false;
    sw->VetoHook = [&](TObject*, const QString& name, bool& allowed) {
        EXPECT_EQ(name, "Active");
        allowed = allow;
    };
    Press(kInside);
    Release(kInside);
    EXPECT_FALSE(sw->Active());
    EXPECT_TRUE(events.isEmpty());
    allow = true;

    {
        TiLoadingBracket loading({sw});
        sw->SetActive(true);
    }
    EXPECT_TRUE(sw->Active());
    EXPECT_TRUE(events.isEmpty()) << "no OnChange while loading";

    // A throwing handler does not leave the user-change flag set: the next
    // program change is not reported as the user's.
    sw->OnChange = [](TObject*) { throw std::runtime_error("handler failed"); };
    Press(kInside);
    Release(kInside);  // the base discards the error of a mouse handler
    EXPECT_FALSE(sw->Active());
    sw->OnChange = nullptr;
    sw->SetActive(true);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(SwitchLedTest, BorderSizeIsBoundedAndItsRingsStopAtTheWidget)
{
    for (int size : {0, 1, -5}) {
        sw->SetBorderSize(size);
        EXPECT_EQ(sw->BorderSize(), 2) << size;
    }
    sw->SetBorderSize(4);
    EXPECT_EQ(sw->BorderSize(), 4);
    sw->SetBorderSize(std::numeric_limits<int>::max());
    EXPECT_EQ(sw->BorderSize(), TiSwitchLed::kMaximumBorderSize);

    // Rings from the widget's larger side on draw nothing: a huge border paints
    // like one of 177 on this 177 x 28 switch (caption and lamp left out, as
    // they follow the border's inner rectangle).
    sw->SetCaption(QString());
    sw->SetIndicatorHeight(0);
    const QImage widest = Render(*sw);
    sw->SetBorderSize(177);
    EXPECT_EQ(Render(*sw), widest);
    sw->SetBorderSize(20000);
    EXPECT_EQ(Render(*sw), widest);
    sw->SetBorderSize(14);
    EXPECT_NE(Render(*sw), widest) << "rings past half the height still draw";
}

TEST_F(SwitchLedTest, PaintsBorderLampAndPressedLook)
{
    sw->SetActiveColor(clLime);
    const TColor highlight = ClassicSystemColor(sciBtnHighlight);
    QImage image = Render(*sw);
    EXPECT_EQ(PixelAt(image, 50, 0), highlight);
    EXPECT_EQ(PixelAt(image, 0, 14), highlight);
    EXPECT_EQ(PixelAt(image, 50, 27), clBlack);
    EXPECT_EQ(PixelAt(image, 176, 14), clBlack);
    // The lamp: inactive shows the dimmed colour along the bottom.
    const int dimmed = CountColor(image, 0x005500);
    EXPECT_GT(dimmed, 150);
    EXPECT_EQ(CountColor(image, clLime), 0);

    sw->SetActive(true);
    image = Render(*sw);
    EXPECT_EQ(CountColor(image, clLime), dimmed);
    EXPECT_EQ(CountColor(image, 0x005500), 0);

    // Focused and pressed: the outer ring turns black, the lamp moves down-right.
    FocusIn(*sw);
    Press(kInside);
    image = Render(*sw);
    EXPECT_EQ(PixelAt(image, 50, 0), clBlack);
    EXPECT_EQ(PixelAt(image, 0, 14), clBlack);
    int lampTop = -1;
    for (int y = 0; y < 28 && lampTop < 0; ++y) {
        if (PixelAt(image, 88, y) == clLime)
            lampTop = y;
    }
    Release(kOutside);
    image = Render(*sw);
    int restingTop = -1;
    for (int y = 0; y < 28 && restingTop < 0; ++y) {
        if (PixelAt(image, 88, y) == clLime)
            restingTop = y;
    }
    ASSERT_GE(restingTop, 0);
    EXPECT_EQ(lampTop, restingTop + 1);

    // Tiny indicator dimensions hide the lamp.
    sw->SetIndicatorHeight(1);
    EXPECT_EQ(CountColor(Render(*sw), clLime), 0);
}

TEST_F(SwitchLedTest, FocusedBorderRings)
{
    sw->SetBorderSize(3);
    sw->SetBorderShadowColor(clBlue);
    sw->SetBorderHighlightColor(clYellow);
    FocusIn(*sw);
    // Focused: one more dark pair just inside the rings, in the shadow colour.
    QImage image = Render(*sw);
    EXPECT_EQ(PixelAt(image, 176 - 3, 14), clBlue);
    EXPECT_EQ(PixelAt(image, 50, 27 - 3), clBlue);
    EXPECT_EQ(PixelAt(image, 3, 14), ClassicSystemColor(sciBtnFace)) << "no light line to match";
    // Focused and pressed: inset 1 all in the 3D dark shadow, inset 2 sunken. A
    // palette with a dark shadow of its own tells that ring from the black one outside.
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Shadow, QColor(0x10, 0x20, 0x40));
    QApplication::setPalette(palette);
    Press(kInside);
    image = QImage(sw->size(), QImage::Format_RGB32);
    sw->render(&image);
    QApplication::setPalette(saved);
    for (const QPoint at : {QPoint(50, 1), QPoint(1, 14), QPoint(175, 14), QPoint(50, 26)})
        EXPECT_EQ(PixelAt(image, at.x(), at.y()), 0x402010u) << at.x() << "," << at.y();
    EXPECT_EQ(PixelAt(image, 50, 0), clBlack);
    EXPECT_EQ(PixelAt(image, 50, 2), clBlue);
    EXPECT_EQ(PixelAt(image, 50, 25), clYellow);
    Release(kOutside);
}

TEST_F(SwitchLedTest, CaptionKeepsToTheLampOrTheOppositeEdge)
{
    sw->SetBounds(0, 0, 177, 80);
    sw->SetCaption("STOP");
    sw->CaptionFont()->SetColor(clBlack);
    sw->SetIndicatorHeight(1);  // no lamp drawn, the layout stays
    // Rows of caption ink: next to the lamp or at the far edge of the caption rectangle.
    const auto inkRows = [&] {
        const QImage image = Render(*sw);
        int first = -1, last = -1;
        for (int y = 2; y < 78; ++y) {
            if (CountColor(image, clBlack, 2, y, 175, y + 1) > 0) {
                first = first < 0 ? y : first;
                last = y;
            }
        }
        return std::pair{first, last};
    };
    // Inner rectangle (0, 0, 176, 79); the lamp 5 in from it, 1 high; caption margin 2.
    struct Row {
        TiSideAlignment side;
        TiSwitchLedCaptionAlignment caption;
        bool inkNearTop;
    };
    for (const Row row : {Row{isaBottom, islcaIndicator, false}, Row{isaBottom, islcaOppisiteSide, true},
                          Row{isaTop, islcaIndicator, true}, Row{isaTop, islcaOppisiteSide, false}}) {
        sw->SetIndicatorAlignment(row.side);
        sw->SetCaptionAlignment(row.caption);
        const auto [first, last] = inkRows();
        ASSERT_GE(first, 0);
        if (row.inkNearTop)
            EXPECT_LT(first, 20) << row.side << row.caption;
        else
            EXPECT_GT(last, 58) << row.side << row.caption;
    }
}

TEST_F(SwitchLedTest, AcceleratorTogglesFromTheWindow)
{
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    sw->SetCaption("&Run");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTest::keyClick(other, Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(sw->Active());
    EXPECT_EQ(events, QStringList({"change:on", "user:on"}));

    // Disabled: the accelerator does nothing.
    events.clear();
    sw->SetEnabled(false);
    QTest::keyClick(other, Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(SwitchLedTest, LampPlacementFollowsIndicatorAlignment)
{
    sw->SetActiveColor(clLime);
    sw->SetActive(true);
    // Bottom (default): a lamp stretched along the bottom, 5 pixels in from the sides.
    QImage image = Render(*sw);
    EXPECT_EQ(PixelAt(image, 10, 20), clLime);
    EXPECT_NE(PixelAt(image, 10, 12), clLime);
    EXPECT_NE(PixelAt(image, 4, 20), clLime);

    // Left: 10 wide, stretched along the height, 5 pixels in from the left edge.
    sw->SetIndicatorAlignment(isaLeft);
    image = Render(*sw);
    EXPECT_EQ(PixelAt(image, 10, 14), clLime);
    EXPECT_EQ(PixelAt(image, 10, 8), clLime);
    EXPECT_NE(PixelAt(image, 20, 14), clLime);
    EXPECT_NE(PixelAt(image, 88, 20), clLime);

    // Right, with a fixed lamp size.
    sw->SetIndicatorAlignment(isaRight);
    sw->SetAutoLedSize(false);
    image = Render(*sw);
    EXPECT_EQ(CountColor(image, clLime, 150, 0, 177, 28), CountColor(image, clLime));
    EXPECT_GT(CountColor(image, clLime), 0);
    EXPECT_LT(CountColor(image, clLime), 10 * 4);
}

TEST_F(SwitchLedTest, GlyphReplacesTheLampWithItsCornerColourTransparent)
{
    QImage picture(6, 6, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 255));  // the bottom-left colour: transparent
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    TBitmap glyph;
    glyph.AssignImage(picture);
    sw->SetActiveColor(clLime);
    sw->SetActive(true);
    const int repaints = sw->repaints;
    sw->SetGlyph(&glyph);
    EXPECT_GT(sw->repaints, repaints);
    const QImage image = Render(*sw);
    EXPECT_EQ(CountColor(image, clLime), 0);
    EXPECT_EQ(CountColor(image, clBlue), 18) << "the upper half of the glyph";
    EXPECT_EQ(CountColor(image, clFuchsia), 0);
}

TEST_F(SwitchLedTest, PropertyFileRoundTripAndBadValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("switch.txt");
    sw->SetCaption("&Run");
    sw->SetIndicatorAlignment(isaRight);
    sw->SetBorderSize(5);
    sw->CaptionFont()->SetHeight(-15);
    sw->SetActive(true);
    sw->SavePropertiesToFile(path);

    TiSwitchLed copy;
    int copyChanges = 0;
    copy.OnChange = [&](TObject*) { ++copyChanges; };
    copy.LoadPropertiesFromFile(path);
    EXPECT_EQ(copy.Caption(), "&Run");
    EXPECT_EQ(copy.IndicatorAlignment(), isaRight);
    EXPECT_EQ(copy.BorderSize(), 5);
    EXPECT_EQ(copy.CaptionFont()->Height(), -15);
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(copyChanges, 1);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BorderSize = 1\nCaption = STOP\nCaption_2 = GO\nMomentaryStyle = 5\nCaption = never\n");
    file.close();
    EXPECT_THROW(copy.LoadPropertiesFromFile(path), std::runtime_error);
    EXPECT_EQ(copy.BorderSize(), 2);
    EXPECT_EQ(copy.Caption(), "STOP") << "the file holds published properties only";
    EXPECT_EQ(copy.MomentaryStyle(), ismsNone);
}
