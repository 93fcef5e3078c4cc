// SPDX-License-Identifier: GPL-3.0-or-later
// What a display tick repaints on the shown main window: nothing when the register
// state is unchanged, only the instruments whose value changed otherwise, and those
// without rebuilding their static layer.

#include "tests/support/console_test_support.h"

#include "widgets/edit/analog_output.h"
#include "widgets/base/component.h"
#include "widgets/indicators/led_bar.h"
#include "widgets/base/update_object.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace console_test;

namespace {

// Counts the paint events of every widget of one window.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget& window) : window_(window) { qApp->installEventFilter(this); }
    ~PaintLog() override { qApp->removeEventFilter(this); }

    std::map<const QWidget*, int> counts;
    void Clear() { counts.clear(); }
    int Of(const QWidget* widget) const
    {
        const auto it = counts.find(widget);
        return it == counts.end() ? 0 : it->second;
    }
    std::set<const QWidget*> Painted() const
    {
        std::set<const QWidget*> painted;
        for (const auto& [widget, count] : counts)
            if (count > 0)
                painted.insert(widget);
        return painted;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget == &window_ || window_.isAncestorOf(widget))
                ++counts[widget];
        }
        return false;
    }

private:
    QWidget& window_;
};

// Lets the shown window paint whatever was invalidated.
void DeliverPaints()
{
    for (int round = 0; round < 5; ++round)
        QCoreApplication::processEvents();
}

std::string Names(const std::set<const QWidget*>& widgets, const TForm1& form)
{
    std::string names;
    for (const QWidget* widget : widgets) {
        const char* kind = widget->metaObject()->className();
        names += kind;
        if (widget == form.Memo12 || widget == form.Memo12->viewport())
            names += "(Memo12)";
        if (widget == form.Memo13 || widget == form.Memo13->viewport())
            names += "(Memo13)";
        const QRect r = widget->geometry();
        names += QStringLiteral("@%1,%2 %3x%4 ").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
    }
    return names;
}

// Block 0 of a running soft starter: run bit, starting voltage 45.6 %, ramps of 17 s
// and 23 s, output 80.0 %, current 12.3 A, 61 C, alarms 0 and 4.
std::array<std::uint16_t, 10> RunningBlock(std::uint16_t output)
{
    return {1, 456, 17, 23, output, 123, 61, 0x0011, 0, 0};
}

// One full poll cycle (blocks 0, 10 and 20), block 0 carrying `block0` and the others
// zeros; true once every reply was decoded.
bool FeedCycle(ConsoleOnPty& rig, const std::array<std::uint16_t, 10>& block0)
{
    for (int poll = 0; poll < 3; ++poll) {
        const auto decodedBefore = rig.console.form.Link().Replies().Decoded;
        rig.console.form.Timer1Timer();
        const Bytes request = rig.device.Read(8);
        if (request.size() != 8)
            return false;
        rig.device.Write(ReadReply(1, request[3] == 0 ? block0 : std::array<std::uint16_t, 10>{}));
        if (!WaitUntil([&] { return rig.console.form.Link().Replies().Decoded == decodedBefore + 1; }))
            return false;
    }
    return true;
}

}  // namespace

TEST(ConsoleRepaints, DisplayTickRepaintsOnlyWhatChanged)
{
    ConsoleOnPty rig;
    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    TForm1& form = rig.console.form;
    form.Timer1->stop();
    form.Timer2->stop();
    form.show();
    ASSERT_TRUE(FeedCycle(rig, RunningBlock(800)));
    form.Timer2Timer();
    DeliverPaints();

    // A focused edit field's caret blinks by itself; here only the display tick counts.
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    DeliverPaints();
    PaintLog log(form);

    // The same state again, from the display tick alone and after the same reply again.
    form.Timer2Timer();
    DeliverPaints();
    EXPECT_TRUE(log.Painted().empty()) << "painted on an unchanged tick: " << Names(log.Painted(), form);
    ASSERT_TRUE(FeedCycle(rig, RunningBlock(800)));
    form.Timer2Timer();
    DeliverPaints();
    EXPECT_TRUE(log.Painted().empty()) << "painted after an equal reply: " << Names(log.Painted(), form);

    // A new output level: only the output field and the bar, each once, over a valid cache.
    ASSERT_TRUE(FeedCycle(rig, RunningBlock(650)));
    log.Clear();
    form.Timer2Timer();
    EXPECT_FALSE(form.iAnalogOutput4->IsBackGroundChanged());
    EXPECT_FALSE(form.iLedBar2->IsBackGroundChanged());
    DeliverPaints();
    EXPECT_EQ(log.Of(form.iAnalogOutput4), 1);
    EXPECT_EQ(log.Of(form.iLedBar2), 1);
    const std::set<const QWidget*> expected{form.iAnalogOutput4, form.iLedBar2};
    EXPECT_EQ(log.Painted(), expected) << "painted: " << Names(log.Painted(), form);
}

TEST(ConsoleRepaints, UpdateObjectSleepsWhileNoRepaintIsHeldBack)
{
    ConsoleUnderTest console;
    TForm1& form = console.form;
    TiUpdateObject& updater = TiUpdateObject::Instance();
    EXPECT_GT(updater.ComponentCount(), 30);
    // No instrument of the console throttles its frame rate: nothing to wake up for.
    form.Timer2Timer();
    EXPECT_FALSE(updater.IsTimerActive());

    // A throttled widget whose repaint is held back wakes it; the tick that issues the
    // repaint puts it back to sleep.
    form.iAnalogOutput4->SetAutoFrameRate(true);
    form.iAnalogOutput4->SetUpdateFrameRate(1);
    form.iAnalogOutput4->SetValue(12.5);
    EXPECT_TRUE(form.iAnalogOutput4->IsRepaintPending());
    EXPECT_TRUE(updater.IsTimerActive());
    EXPECT_TRUE(WaitUntil([&] { return !form.iAnalogOutput4->IsRepaintPending(); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return !updater.IsTimerActive(); }, 10000));
}

TEST(ConsoleRepaints, CaretBlinkRepaintsOnlyTheEditField)
{
    ConsoleUnderTest console;
    TForm1& form = console.form;
    form.show();
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();  // no real caret blinking during the count
    DeliverPaints();
    const std::vector<QComboBox*> combos{form.ComboBox4, form.ComboBox5, form.ComboBox6, form.ComboBox1};
    for (QComboBox* combo : combos) {
        PaintLog log(form);
        combo->lineEdit()->update();  // what a caret blink asks for
        DeliverPaints();
        const std::set<const QWidget*> expected{combo->lineEdit()};
        EXPECT_EQ(log.Painted(), expected) << "painted: " << Names(log.Painted(), form);
    }
    // Filling its own background leaves the field looking as it did.
    for (QComboBox* combo : combos) {
        const QImage filled = combo->grab().toImage();
        combo->lineEdit()->setAutoFillBackground(false);
        const QImage transparent = combo->grab().toImage();
        combo->lineEdit()->setAutoFillBackground(true);
        EXPECT_EQ(filled, transparent) << combo->currentText().toStdString();
    }
}
