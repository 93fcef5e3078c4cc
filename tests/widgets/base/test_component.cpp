// SPDX-License-Identifier: GPL-3.0-or-later
// The component base: repaint requests, update bracket, throttling, paint
// pipeline and cache, input dispatch and the click rule, focus, loading,
// transparency, repeat timer and the OPC interface points.

#include "tests/support/widget_test_support.h"
#include "widgets/base/clock.h"
#include "widgets/base/component.h"
#include "widgets/base/drawing_helpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

using namespace widget_test;

namespace {

// A widget that follows the paint contract: a cached static layer (background
// and a blue square) and a dynamic pixel row in `marker`.
class ProbeWidget : public TiCustomComponent {
public:
    using TiCustomComponent::IsLoading;
    using TiCustomComponent::ThrottledRepaint;
    explicit ProbeWidget(QWidget* parent = nullptr) : TiCustomComponent(parent) { resize(30, 30); }

    int repaintRequests = 0;
    int staticDraws = 0;
    int loadedCalls = 0;
    bool throwInPaint = false;
    TColor marker = clRed;
    std::vector<std::string> log;
    bool interactionSeen = false;
    bool throwInUserMouseUp = false;

    void RepaintNow() override
    {
        ++repaintRequests;
        TiCustomComponent::RepaintNow();
    }

    void SetMarker(TColor value) { SetProperty(value, marker, ickInvalidate); }

protected:
    void PaintContent(TCanvas& canvas) override
    {
        if (throwInPaint)
            throw std::runtime_error("gauge failed");
        if (CachedDrawing()) {
            if (IsBackGroundChanged()) {
                TCanvas& cache = GetCacheBitmap().Canvas();
                DrawStatic(cache);
                ClearBackGroundChanged();
            }
            DrawCacheBitmap(canvas);
        } else {
            DrawStatic(canvas);
        }
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = marker;
        canvas.FillRect(TRect(10, 20, 20, 21));
    }

    void UserMouseDown(TMouseButton, TShiftState, int, int) override { Note("UserMouseDown"); }
    void UserMouseUp(TMouseButton, TShiftState, int x, int y) override
    {
        Note("UserMouseUp " + std::to_string(x) + "," + std::to_string(y));
        if (throwInUserMouseUp)
            throw std::runtime_error("up");
    }
    void UserMouseMove(TShiftState, int, int) override { Note("UserMouseMove"); }
    void UserDoubleClick() override { Note("UserDoubleClick"); }
    void UserKeyDown(int& key, TShiftState) override { Note("UserKeyDown " + std::to_string(key)); }
    void UserKeyUp(int& key, TShiftState) override { Note("UserKeyUp " + std::to_string(key)); }
    void UserKeyPress(QChar& key) override { Note("UserKeyPress " + QString(key).toStdString()); }
    bool UserMouseWheel(int delta, TShiftState, TPoint) override
    {
        Note("UserMouseWheel " + std::to_string(delta));
        return delta > 0;
    }
    void Loaded() override { ++loadedCalls; }
    void DoWantSpecialKey(int& key, bool& result) override { result = wantsTab && key == Qt::Key_Tab; }

public:
    bool wantsTab = false;

private:
    void DrawStatic(TCanvas& canvas)
    {
        ++staticDraws;
        DrawBackground(canvas, BackGroundColor());
        canvas.Brush.Color = clBlue;
        canvas.FillRect(TRect(10, 5, 15, 10));
    }
    void Note(const std::string& entry)
    {
        interactionSeen = interactionSeen || IsUserInteraction();
        log.push_back(entry);
    }
};

void HookEvents(ProbeWidget& w)
{
    w.OnClick = [&w](TObject* sender) {
        EXPECT_EQ(sender, &w);
        w.log.push_back("OnClick");
    };
    w.OnMouseDown = [&w](TObject*, TMouseButton, TShiftState, int, int) { w.log.push_back("OnMouseDown"); };
    w.OnMouseUp = [&w](TObject*, TMouseButton, TShiftState, int, int) { w.log.push_back("OnMouseUp"); };
    w.OnDblClick = [&w](TObject*) { w.log.push_back("OnDblClick"); };
    w.OnKeyDown = [&w](TObject*, int&, TShiftState) { w.log.push_back("OnKeyDown"); };
}

using Log = std::vector<std::string>;

TEST(ComponentRepaint, EqualValuesRequestNothingAndChangesRequestOnce)
{
    ProbeWidget w;
    w.SetBackGroundColor(w.BackGroundColor());
    w.SetBorderStyle(ibsNone);
    w.SetOffsetX(0);
    w.SetErrorText(QStringLiteral("Error"));
    w.SetUpdateFrameRate(60);
    w.SetCachedDrawing(true);
    w.SetMarker(clRed);
    EXPECT_EQ(w.repaintRequests, 0);

    w.SetBackGroundColor(clAqua);
    w.SetBorderStyle(ibsRaised);
    w.SetOffsetY(4);
    w.SetShowDisabledState(true);
    w.SetErrorActive(true);
    w.SetErrorBackGroundColor(clNavy);
    EXPECT_EQ(w.repaintRequests, 6);
    w.SetOptionSaveAllProperties(true);
    EXPECT_EQ(w.repaintRequests, 6);
    w.ErrorFont()->SetHeight(-20);
    EXPECT_EQ(w.repaintRequests, 7);
    w.SetBounds(w.Left(), w.Top(), w.Width(), w.Height());
    EXPECT_EQ(w.repaintRequests, 7);
    // GetCenterPoint divides toward zero and adds the offsets.
    w.resize(145, 137);
    w.SetOffsetX(3);
    w.SetOffsetY(-2);
    TBitmap scratch(1, 1);
    EXPECT_EQ(w.GetCenterPoint(scratch.Canvas()), TPoint(75, 66));
}

TEST(ComponentRepaint, UpdateBracketIssuesOneRequestAtTheFirstEnd)
{
    ProbeWidget w;
    w.BeginUpdate();
    w.SetBackGroundColor(clLime);
    w.SetMarker(clYellow);
    w.SetBorderStyle(ibsLowered);
    EXPECT_EQ(w.repaintRequests, 0);
    EXPECT_TRUE(w.IsRepaintPending());
    w.EndUpdate();
    EXPECT_EQ(w.repaintRequests, 1);
    EXPECT_FALSE(w.IsRepaintPending());

    w.BeginUpdate();
    w.BeginUpdate();
    w.SetMarker(clBlue);
    w.EndUpdate();
    EXPECT_EQ(w.repaintRequests, 2);
    w.SetMarker(clGreen);
    EXPECT_EQ(w.repaintRequests, 3);
    w.EndUpdate();
    EXPECT_EQ(w.repaintRequests, 3);
}

TEST(ComponentRepaint, FrameRateThrottleWithAControlledClock)
{
    TiControlledClock clock;
    ProbeWidget w;
    w.SetAutoFrameRate(true);
    clock.Advance(100);
    w.SetMarker(clYellow);
    const int base = w.repaintRequests;
    EXPECT_FALSE(w.IsRepaintPending());

    clock.Advance(5);
    w.SetMarker(clBlue);
    EXPECT_EQ(w.repaintRequests, base);
    EXPECT_TRUE(w.IsRepaintPending());
    TiUpdateObject::Instance().Tick();  // still inside the 1/60 s interval
    EXPECT_EQ(w.repaintRequests, base);
    clock.Advance(15);
    TiUpdateObject::Instance().Tick();
    EXPECT_EQ(w.repaintRequests, base + 1);
    EXPECT_FALSE(w.IsRepaintPending());

    clock.Advance(50);
    w.SetMarker(clGreen);
    EXPECT_EQ(w.repaintRequests, base + 2);

    // An open bracket holds the update object back.
    clock.Advance(1);
    w.SetMarker(clRed);
    w.BeginUpdate();
    clock.Advance(100);
    TiUpdateObject::Instance().Tick();
    EXPECT_EQ(w.repaintRequests, base + 2);
    w.EndUpdate();
    EXPECT_EQ(w.repaintRequests, base + 3);

    // Turning the throttle off issues a pending repaint at once.
    clock.Advance(1);
    w.SetMarker(clLime);
    EXPECT_TRUE(w.IsRepaintPending());
    w.SetAutoFrameRate(false);
    EXPECT_EQ(w.repaintRequests, base + 4);

    // Rate 0 disables throttling.
    w.SetAutoFrameRate(true);
    w.SetUpdateFrameRate(0);
    const int before = w.repaintRequests;
    w.SetMarker(clBlue);
    w.SetMarker(clYellow);
    EXPECT_EQ(w.repaintRequests, before + 2);
}

TEST(ComponentRepaint, UpdateObjectTracksWidgetsAndItsTimer)
{
    TiUpdateObject& updater = TiUpdateObject::Instance();
    const int before = updater.ComponentCount();
    {
        TiControlledClock clock;
        ProbeWidget a, b;
        EXPECT_EQ(updater.ComponentCount(), before + 2);
        // The timer sleeps until a widget holds a repaint back, and again once none is pending.
        updater.Tick();
        EXPECT_FALSE(updater.IsTimerActive());
        a.SetAutoFrameRate(true);
        a.SetUpdateFrameRate(1);
        EXPECT_TRUE(a.IsRepaintPending());
        EXPECT_TRUE(updater.IsTimerActive());
        b.SetAutoFrameRate(true);  // a repaint held back by b as well
        b.SetUpdateFrameRate(1);
        a.SetAutoFrameRate(false);  // issues a's repaint; b's is still pending
        updater.Tick();
        EXPECT_TRUE(updater.IsTimerActive());
        b.SetAutoFrameRate(false);
        updater.Tick();
        EXPECT_FALSE(updater.IsTimerActive());
    }
    EXPECT_EQ(updater.ComponentCount(), before);
    EXPECT_FALSE(updater.IsTimerActive());
}

TEST(ComponentPaint, BackgroundBorderAndPicture)
{
    ProbeWidget w;
    w.SetBackGroundColor(clAqua);
    w.SetBorderStyle(ibsRaised);
    QImage image = Render(w, 20, 20);
    EXPECT_EQ(PixelAt(image, 0, 0), 0xDFDFDFu);
    EXPECT_EQ(PixelAt(image, 19, 19), clBlack);
    EXPECT_EQ(PixelAt(image, 1, 1), clWhite);
    EXPECT_EQ(PixelAt(image, 18, 18), 0x808080u);
    EXPECT_EQ(PixelAt(image, 3, 3), clAqua);
    EXPECT_EQ(PixelAt(image, 12, 7), clBlue);
    EXPECT_EQ(PixelAt(image, 12, 19), clBlack);
    EXPECT_EQ(PixelAt(image, 12, 18), 0x808080u);

    // A picture of width 0 is ignored; a real picture is stretched and hides the border.
    w.SetBackGroundPicture(nullptr);
    image = Render(w, 20, 20);
    EXPECT_EQ(PixelAt(image, 0, 0), 0xDFDFDFu);
    EXPECT_EQ(PixelAt(image, 3, 3), clAqua);
    TBitmap picture(2, 2);
    picture.Canvas().Brush.Color = clYellow;
    picture.Canvas().FillRect(TRect(0, 0, 2, 2));
    w.SetBackGroundPicture(&picture);
    EXPECT_TRUE(w.IsBackGroundChanged());
    image = Render(w, 20, 20);
    EXPECT_EQ(PixelAt(image, 0, 0), clYellow);
    EXPECT_EQ(PixelAt(image, 19, 19), clYellow);
    EXPECT_EQ(PixelAt(image, 12, 7), clBlue);
}

TEST(ComponentPaint, CacheKeepsTheStaticLayerAcrossValueChanges)
{
    ProbeWidget w;
    Render(w, 30, 30);
    EXPECT_EQ(w.staticDraws, 1);
    w.SetMarker(clLime);
    QImage image = Render(w, 30, 30);
    EXPECT_EQ(w.staticDraws, 1);
    EXPECT_EQ(PixelAt(image, 15, 20), clLime);
    EXPECT_EQ(PixelAt(image, 12, 7), clBlue);
    w.SetBackGroundColor(clYellow);
    image = Render(w, 30, 30);
    EXPECT_EQ(w.staticDraws, 2);
    EXPECT_EQ(PixelAt(image, 2, 2), clYellow);
    // A new size makes the cache stale.
    Render(w, 40, 30);
    EXPECT_EQ(w.staticDraws, 3);
    ASSERT_NE(w.CacheBitmapIfAny(), nullptr);
    EXPECT_EQ(w.CacheBitmapIfAny()->Width(), 40);

    w.SetCachedDrawing(false);
    EXPECT_EQ(w.CacheBitmapIfAny(), nullptr);
    Render(w, 40, 30);
    Render(w, 40, 30);
    EXPECT_EQ(w.staticDraws, 5);
}

// A probe on a screen of a chosen device pixel ratio.
class DenseProbe : public ProbeWidget {
public:
    int ratio = 2;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        if (m == PdmDevicePixelRatio)
            return ratio;
        if (m == PdmDevicePixelRatioScaled)
            return static_cast<int>(ratio * QPaintDevice::devicePixelRatioFScale());
        return ProbeWidget::metric(m);
    }
};

TEST(ComponentPaint, CacheIsSizedInDevicePixelsAndRebuiltWhenTheRatioChanges)
{
    DenseProbe w;
    QImage image = Render(w, 30, 20);
    ASSERT_NE(w.CacheBitmapIfAny(), nullptr);
    EXPECT_EQ(w.CacheBitmapIfAny()->Image().width(), 60);
    EXPECT_EQ(w.CacheBitmapIfAny()->Image().height(), 40);
    EXPECT_EQ(PixelAt(image, 12, 7), clBlue);  // still drawn at logical coordinates
    EXPECT_EQ(w.staticDraws, 1);
    Render(w, 30, 20);
    EXPECT_EQ(w.staticDraws, 1);
    w.ratio = 1;
    Render(w, 30, 20);
    EXPECT_EQ(w.staticDraws, 2);
    EXPECT_EQ(w.CacheBitmapIfAny()->Image().width(), 30);
}

TEST(ComponentPaint, ExceptionInPaintContentIsShownWhiteOnBlack)
{
    ProbeWidget w;
    w.throwInPaint = true;
    QImage image = Render(w, 120, 40);
    const int white = CountColor(image, clWhite);
    const int black = CountColor(image, clBlack);
    EXPECT_GT(white, 10);
    EXPECT_EQ(white + black, 120 * 40);
    // The message starts at the top-left corner.
    EXPECT_GT(CountColor(image, clWhite, 0, 0, 30, 16), 0);
    EXPECT_EQ(CountColor(image, clWhite, 0, 20, 120, 40), 0);

    w.throwInPaint = false;
    image = Render(w, 120, 40);
    EXPECT_EQ(CountColor(image, clBlack), 0);

    int hookCalls = 0;
    w.AfterPaintHook = [&hookCalls](TObject*, TCanvas& canvas) {
        ++hookCalls;
        canvas.SetPixel(0, 0, clFuchsia);
    };
    image = Render(w, 120, 40);
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(PixelAt(image, 0, 0), clFuchsia);
}

TEST(ComponentInput, ClickRuleOrderAndButtons)
{
    ProbeWidget w;
    HookEvents(w);
    MousePress(w, {5, 5});
    MouseRelease(w, {6, 7});
    EXPECT_EQ(w.log, (Log{"UserMouseDown", "OnMouseDown", "OnClick", "UserMouseUp 6,7", "OnMouseUp"}));
    EXPECT_TRUE(w.interactionSeen);
    EXPECT_FALSE(w.IsUserInteraction());

    w.log.clear();
    MousePress(w, {5, 5});
    MouseRelease(w, {50, 5});  // released outside
    EXPECT_EQ(w.log, (Log{"UserMouseDown", "OnMouseDown", "UserMouseUp 50,5", "OnMouseUp"}));

    w.log.clear();
    MousePress(w, {5, 5}, Qt::RightButton);
    MouseRelease(w, {5, 5}, Qt::RightButton);
    EXPECT_EQ(w.log, (Log{"UserMouseDown", "OnMouseDown", "UserMouseUp 5,5", "OnMouseUp"}));

    w.log.clear();
    MouseRelease(w, {5, 5});  // a release without a press is no click
    EXPECT_EQ(w.log, (Log{"UserMouseUp 5,5", "OnMouseUp"}));

    w.log.clear();
    MouseDoubleClick(w, {5, 5});
    MouseRelease(w, {5, 5});
    EXPECT_EQ(w.log, (Log{"UserDoubleClick", "OnDblClick", "UserMouseDown", "OnMouseDown", "UserMouseUp 5,5",
                          "OnMouseUp"}));
}

TEST(ComponentInput, ExceptionsInButtonAndKeyHandlingAreDiscarded)
{
    ProbeWidget w;
    HookEvents(w);
    w.OnClick = [&w](TObject*) {
        w.log.push_back("OnClick");
        throw std::runtime_error("click failed");
    };
    MousePress(w, {5, 5});
    MouseRelease(w, {5, 5});
    // The rest of the release handling is skipped.
    EXPECT_EQ(w.log, (Log{"UserMouseDown", "OnMouseDown", "OnClick"}));
    EXPECT_FALSE(w.IsUserInteraction());

    w.log.clear();
    w.OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw std::logic_error("down"); };
    MousePress(w, {5, 5});
    EXPECT_EQ(w.log, (Log{"UserMouseDown"}));
    EXPECT_FALSE(w.IsUserInteraction());

    w.log.clear();
    w.OnKeyDown = [](TObject*, int&, TShiftState) { throw 42; };
    KeyPress(w, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(w.log, (Log{"UserKeyPress a"}));
    EXPECT_FALSE(w.IsUserInteraction());

    // Mouse moves: the exception stays inside the widget too.
    w.OnMouseMove = [](TObject*, TShiftState, int, int) { throw std::runtime_error("move"); };
    MouseMove(w, {3, 3});
    EXPECT_FALSE(w.IsUserInteraction());
}

TEST(ComponentInput, KeysWheelAndFocus)
{
    ProbeWidget w;
    KeyPress(w, Qt::Key_Left);
    KeyRelease(w, Qt::Key_Left);
    EXPECT_EQ(w.log, (Log{"UserKeyDown " + std::to_string(Qt::Key_Left), "UserKeyUp " + std::to_string(Qt::Key_Left)}));
    // An auto-repeat release is no release.
    w.log.clear();
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(&w, &repeatRelease);
    EXPECT_TRUE(w.log.empty());

    Wheel(w, {5, 5}, 120);
    Wheel(w, {5, 5}, -120);
    // Touchpads send zero deltas at scroll begin and end, and horizontal swipes:
    // neither is a step of the vertical wheel.
    Wheel(w, {5, 5}, 0);
    QWheelEvent sideways(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(120, 0), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&w, &sideways);
    EXPECT_EQ(w.log, (Log{"UserMouseWheel 120", "UserMouseWheel -120"}));

    w.log.clear();
    FocusIn(w);
    EXPECT_TRUE(w.Focused());
    FocusOut(w);
    EXPECT_FALSE(w.Focused());
    EXPECT_EQ(w.log, (Log{"UserMouseUp 0,0"}));
    w.throwInUserMouseUp = true;
    FocusIn(w);
    FocusOut(w);
    EXPECT_FALSE(w.Focused());
    EXPECT_FALSE(w.IsUserInteraction());
}

TEST(ComponentInput, TabMovesTheFocusUnlessTheWidgetAsksForIt)
{
    QWidget window;
    ProbeWidget w(&window);
    QLineEdit next(&window);
    w.setFocusPolicy(Qt::StrongFocus);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const std::string tab = "UserKeyDown " + std::to_string(Qt::Key_Tab);
    for (bool wanted : {false, true}) {
        w.wantsTab = wanted;
        w.setFocus();
        QTest::keyClick(&w, Qt::Key_Tab);
        EXPECT_EQ(w.hasFocus(), wanted);
        EXPECT_EQ(std::count(w.log.begin(), w.log.end(), tab), wanted ? 1 : 0);
    }
}

TEST(ComponentLifecycle, LoadingBracketEnabledChangeAndDesignState)
{
    ProbeWidget a, b;
    {
        TiLoadingBracket bracket{&a, &b};
        EXPECT_TRUE(a.IsLoading());
        a.BeginLoading();
        a.EndLoading();
        EXPECT_TRUE(a.IsLoading());
        EXPECT_EQ(a.loadedCalls, 0);
    }
    EXPECT_FALSE(a.IsLoading());
    EXPECT_EQ(a.loadedCalls, 1);
    EXPECT_EQ(b.loadedCalls, 1);
    a.EndLoading();  // unbalanced end: ignored
    EXPECT_EQ(a.loadedCalls, 1);
    a.SetHoldingBack(true);
    EXPECT_TRUE(a.IsLoading());
    a.SetHoldingBack(false);

    Render(a, 20, 20);
    EXPECT_FALSE(a.IsBackGroundChanged());
    a.SetEnabled(false);
    EXPECT_TRUE(a.IsBackGroundChanged());

    EXPECT_FALSE(a.IsDesigning());
    a.DesignStateHook = [](TObject*, bool& designing) { designing = true; };
    EXPECT_TRUE(a.IsDesigning());
}

TEST(ComponentLifecycle, RepeatTimerFiresAndStops)
{
    ProbeWidget w;
    int ticks = 0;
    w.OnRepeatTimer = [&ticks](TObject*) { ++ticks; };
    w.StartRepeatTimer(0, 0);
    EXPECT_FALSE(w.IsRepeatTimerRunning());
    w.StartRepeatTimer(30, 10);
    EXPECT_TRUE(w.IsRepeatTimerRunning());
    QElapsedTimer elapsed;
    elapsed.start();
    while (ticks < 3 && elapsed.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(ticks, 3);
    w.StopRepeatTimer();
    EXPECT_FALSE(w.IsRepeatTimerRunning());
    const int stopped = ticks;
    elapsed.restart();
    while (elapsed.elapsed() < 100)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(ticks, stopped);
}

TEST(ComponentTransparency, CapturesTheParentOnlyWhenUncovered)
{
    QWidget parent;
    parent.resize(100, 100);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 0));
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
    auto* w = new ProbeWidget(&parent);
    w->setGeometry(10, 10, 40, 40);
    w->SetBackGroundColor(clYellow);
    w->SetTransparent(true);
    auto* cover = new QWidget(&parent);
    cover->setGeometry(30, 30, 40, 40);  // covers the widget's lower right corner
    parent.show();
    QApplication::processEvents();

    QImage image = Render(*w);
    EXPECT_EQ(PixelAt(image, 2, 2), clYellow);
    EXPECT_TRUE(w->IsCaptureNeeded());

    cover->hide();
    image = Render(*w);
    EXPECT_EQ(PixelAt(image, 2, 2), 0x008000u);
    EXPECT_EQ(PixelAt(image, 12, 7), clBlue);  // the widget still draws over it
    EXPECT_FALSE(w->IsCaptureNeeded());

    w->move(12, 12);  // checked before the next paint captures again
    EXPECT_TRUE(w->IsCaptureNeeded());
    w->SetTransparent(false);
    EXPECT_EQ(w->TransparencyBitmap(), nullptr);
    image = Render(*w);
    EXPECT_EQ(PixelAt(image, 2, 2), clYellow);
}

TEST(ComponentOPC, IncomingDataAssignsPublishedPropertiesAndIsNotEchoed)
{
    ProbeWidget w;
    std::vector<std::string> calls;
    w.OnBeforeNewOPCData = [&calls](TObject*, int index, QVariant& data) {
        calls.push_back("before " + std::to_string(index));
        if (data.toString() == QStringLiteral("25"))
            data = 30;
    };
    w.OnNewOPCData = [&calls](TObject*, int index) { calls.push_back("after " + std::to_string(index)); };
    w.ReceiveOPCData(2, QStringLiteral("updateframerate"), QStringLiteral("25"));
    EXPECT_EQ(w.UpdateFrameRate(), 30);
    EXPECT_EQ(calls, (std::vector<std::string>{"before 2", "after 2"}));
    w.ReceiveOPCData(0, QStringLiteral("AutoFrameRate"), QStringLiteral("TRUE"));
    EXPECT_TRUE(w.AutoFrameRate());
    w.ReceiveOPCData(0, QStringLiteral("AutoFrameRate"), QStringLiteral("false"), false);
    EXPECT_TRUE(w.AutoFrameRate());  // a disabled item assigns nothing
    w.ReceiveOPCData(0, QStringLiteral("NoSuchProperty"), 1);
    EXPECT_FALSE(w.OutputPropertyValue(QStringLiteral("Position"), 1.0));
    EXPECT_TRUE(w.OPCPropertyNames().isEmpty());
}

}  // namespace
