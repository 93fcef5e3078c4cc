// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/indicators/label.h"

#include "tests/widgets/indicators/indicator_test_helpers.h"
#include "tests/support/widget_test_support.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace widget_test;
using indicator_test::Counting;
using indicator_test::HorizontalInk;
using indicator_test::InkSpan;

namespace {

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        label = new Counting<TiLabel>(&window);
        label->SetBackGroundColor(clWhite);
        label->Font()->SetColor(clBlack);
    }

    QWidget window;
    Counting<TiLabel>* label = nullptr;
};

}  // namespace

TEST_F(LabelTest, AutoSizeFollowsTextFrameMarginsAndShadow)
{
    label->SetCaption("Voltage");
    const int w = label->Width();
    const int h = label->Height();
    EXPECT_GT(w, 20);
    EXPECT_GT(h, 8);

    label->SetCaption("Voltage Voltage");
    EXPECT_GT(label->Width(), w + 20);
    label->SetCaption("Voltage");
    EXPECT_EQ(label->Width(), w);

    label->SetShadowXOffset(3);
    label->SetShadowYOffset(-2);
    EXPECT_EQ(label->Width(), w) << "offsets count only while the shadow shows";
    label->SetShadowShow(true);
    EXPECT_EQ(label->Width(), w + 3);
    EXPECT_EQ(label->Height(), h + 2);
    label->SetShadowShow(false);

    label->SetBorderStyle(ilbsLowered);
    EXPECT_EQ(label->Width(), w + 4);
    label->SetBorderStyle(ilbsSingle);
    EXPECT_EQ(label->Width(), w + 2);
    label->SetOuterMarginLeft(5);
    label->SetOuterMarginBottom(7);
    EXPECT_EQ(label->Width(), w + 7);
    EXPECT_EQ(label->Height(), h + 9);

    label->SetAutoSize(false);
    label->SetCaption("A much longer caption than before");
    EXPECT_EQ(label->Width(), w + 7);
}

TEST_F(LabelTest, AutoSizeWaitsForTheEndOfLoading)
{
    label->SetCaption("Voltage");
    const QSize loose = label->size();
    label->SetCaption("iLabel");
    const QSize before = label->size();

    label->BeginLoading();
    label->SetCaption("Voltage");
    label->Font()->SetHeight(-19);
    EXPECT_EQ(label->size(), before) << "no sizing while loading";
    label->EndLoading();
    EXPECT_GT(label->Width(), loose.width());
    EXPECT_GT(label->Height(), loose.height());
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsTheHeight)
{
    label->SetCaption("one two three four five six");
    const int oneLine = label->Height();
    label->SetWidth(40);
    label->SetWordWrap(true);
    EXPECT_EQ(label->Width(), 40);
    EXPECT_GE(label->Height(), 3 * oneLine);
    label->SetCaption("one");
    EXPECT_EQ(label->Width(), 40);
    EXPECT_EQ(label->Height(), oneLine);
}

TEST_F(LabelTest, SameCaptionDoesNotRepaintAndVetoKeepsIt)
{
    label->SetCaption("Temp");
    const int repaints = label->repaints;
    const int width = label->Width();
    label->SetCaption("Temp");
    label->SetShadowColor(label->ShadowColor());
    label->SetAlignment(iahLeft);
    EXPECT_EQ(label->repaints, repaints);

    label->VetoHook = [](TObject*, const QString& name, bool& allow) { allow = name != "Caption"; };
    label->SetCaption("Temperature");
    EXPECT_EQ(label->Caption(), "Temp");
    EXPECT_EQ(label->Width(), width);
    EXPECT_EQ(label->repaints, repaints);
}

TEST_F(LabelTest, DrawsTextAndShadowAtTheirOffsets)
{
    label->SetCaption("MM");
    label->SetShadowColor(clRed);
    label->SetShadowXOffset(3);
    label->SetShadowYOffset(2);
    label->SetShadowShow(true);
    QImage image = Render(*label);
    const InkSpan text = [&] {
        QImage onlyText = image.copy();
        for (int y = 0; y < onlyText.height(); ++y)
            for (int x = 0; x < onlyText.width(); ++x)
                if (PixelAt(onlyText, x, y) == clRed)
                    onlyText.setPixel(x, y, ToQRgb(clWhite));
        return HorizontalInk(onlyText, clWhite);
    }();
    int shadowFirst = -1;
    for (int x = 0; x < image.width() && shadowFirst < 0; ++x)
        for (int y = 0; y < image.height(); ++y)
            if (PixelAt(image, x, y) == clRed) {
                shadowFirst = x;
                break;
            }
    ASSERT_GE(text.first, 0);
    EXPECT_EQ(shadowFirst - text.first, 3);

    // A negative x offset moves the text to the right of its shadow.
    label->SetShadowXOffset(-3);
    image = Render(*label);
    const int inkFirst = HorizontalInk(image, clWhite).first;
    EXPECT_EQ(inkFirst, text.first) << "the shadow is now leftmost, where the text was";
    EXPECT_EQ(CountColor(image, clBlack, 0, 0, inkFirst + 3, image.height()), 0);
    EXPECT_GT(CountColor(image, clBlack, inkFirst + 3, 0, image.width(), image.height()), 0);
}

TEST_F(LabelTest, AmpersandDrawnWithoutFocusControlAcceleratorWithIt)
{
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 80, 13);
    label->SetCaption("A&B");
    const int withAmpersand = HorizontalInk(Render(*label), clWhite).last;
    label->SetCaption("AB");
    const int plain = HorizontalInk(Render(*label), clWhite).last;
    EXPECT_GT(withAmpersand, plain + 3) << "the ampersand is drawn";

    auto* edit = new QLineEdit(&window);
    edit->move(0, 30);
    label->SetCaption("A&B");
    label->SetFocusControl(edit);
    const int asAccelerator = HorizontalInk(Render(*label), clWhite).last;
    EXPECT_LE(std::abs(asAccelerator - plain), 1) << "the ampersand is hidden";

    auto* other = new QLineEdit(&window);
    other->move(0, 60);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTest::keyClick(other, Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(LabelTest, DestroyedFocusControlIsForgotten)
{
    auto* edit = new QLineEdit(&window);
    label->SetCaption("&Speed");
    label->SetFocusControl(edit);
    EXPECT_EQ(label->FocusControl(), edit);
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
    // The ampersand is drawn again and painting works.
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 80, 13);
    const int withAmpersand = HorizontalInk(Render(*label), clWhite).last;
    label->SetCaption("Speed");
    EXPECT_GT(withAmpersand, HorizontalInk(Render(*label), clWhite).last + 3);
}

TEST_F(LabelTest, FramesAreDrawnOverTheEdge)
{
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 40, 16);
    label->SetCaption("");
    label->SetBorderStyle(ilbsSingle);
    QImage image = Render(*label);
    const TColor frame = ClassicSystemColor(sciWindowFrame);
    EXPECT_EQ(PixelAt(image, 0, 0), frame);
    EXPECT_EQ(PixelAt(image, 39, 15), frame);
    EXPECT_EQ(PixelAt(image, 1, 1), clWhite);
    label->SetBorderStyle(ilbsLowered);
    image = Render(*label);
    EXPECT_NE(PixelAt(image, 1, 1), clWhite);
    EXPECT_EQ(PixelAt(image, 2, 2), clWhite);
}
