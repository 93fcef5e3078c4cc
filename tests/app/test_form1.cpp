// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/console_test_support.h"

#include "platform/canvas/colors.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <termios.h>

using namespace console_test;

namespace {

speed_t LineSpeed(const PtyDevice& device);

termios LineSettings(const PtyDevice& device)
{
    termios settings{};
    // On Linux the master end reports (and sets) the terminal's own line settings.
    EXPECT_EQ(::tcgetattr(device.MasterFd(), &settings), 0);
    return settings;
}

speed_t LineSpeed(const PtyDevice& device)
{
    const termios settings = LineSettings(device);
    return ::cfgetospeed(&settings);
}

}  // namespace

TEST(Form1StartUp, StartsInTheDescribedState)
{
    ConsoleUnderTest console;
    TForm1& form = console.form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("ZQ_Modbus RTU"));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Y5  控制界面"));
    EXPECT_EQ(form.ComboBox4->currentText(), "COM4");
    EXPECT_EQ(form.ComboBox5->currentText(), "19200");
    EXPECT_EQ(form.ComboBox6->currentText(), "8_N_2");
    EXPECT_EQ(form.ComboBox1->currentText(), "1");
    EXPECT_EQ(form.ComboBox1->count(), 255);
    EXPECT_EQ(form.ComboBox4->itemText(0), "COM1");
    EXPECT_EQ(form.ComboBox4->itemText(8), "COM9");
    EXPECT_FALSE(form.CheckBox2->isChecked());
    EXPECT_EQ(form.BitBtn7->text(), QStringLiteral("打开串口"));
    EXPECT_FALSE(console.PortLampLit());
    EXPECT_FALSE(console.CommunicationLampLit());
    EXPECT_FALSE(form.Image9->isHidden());
    EXPECT_FALSE(form.Image7->isHidden());
    EXPECT_EQ(form.Memo12->toPlainText(), "0");
    EXPECT_EQ(form.Memo13->toPlainText(), "0");

    EXPECT_EQ(form.Comm1->CommName(), "COM4");
    EXPECT_EQ(form.Comm1->BaudRate(), 19200u);
    EXPECT_EQ(form.Comm1->Parity(), TParity::None);
    EXPECT_EQ(form.Comm1->StopBits(), TStopBits::_2);  // "8_N_2" names two stop bits
    EXPECT_EQ(form.Comm1->RtsControl(), TRtsControl::RtsDisable);
    EXPECT_FALSE(form.Comm1->Outx_XonXoffFlow());
    EXPECT_FALSE(form.Comm1->Inx_XonXoffFlow());
    EXPECT_FALSE(form.Comm1->IsOpen());

    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 1000);
    EXPECT_TRUE(form.Timer2->isActive());
    EXPECT_EQ(form.Timer2->interval(), 500);
}

TEST(Form1StartUp, PortOptionSetsTheComboAndThePortName)
{
    ConsoleUnderTest console("/dev/pts/77");
    EXPECT_EQ(console.form.ComboBox4->currentText(), "/dev/pts/77");
    EXPECT_EQ(console.form.Comm1->CommName(), "/dev/pts/77");
    console.form.ComboBox4->setEditText("COM2");
    EXPECT_EQ(console.form.Comm1->CommName(), "COM2");
}

// Each combo's current item is the one its text names, or none: the list opens on it, and
// Enter in the open list keeps the text. Text that names no item keeps no stale item.
TEST(Form1PortControls, ComboCurrentItemFollowsTheText)
{
    ConsoleUnderTest console;
    TForm1& form = console.form;
    struct Row {
        QComboBox* combo;
        const char* another;
    };
    for (const Row& row : {Row{form.ComboBox4, "COM7"}, Row{form.ComboBox5, "4800"},
                           Row{form.ComboBox6, "8_O_1"}, Row{form.ComboBox1, "247"}}) {
        QComboBox& combo = *row.combo;
        const QString initial = combo.currentText();
        SCOPED_TRACE(initial.toStdString());
        EXPECT_EQ(combo.currentIndex(), combo.findText(initial));
        EXPECT_GE(combo.currentIndex(), 0);

        combo.showPopup();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(combo.view(), &enter);
        combo.hidePopup();
        EXPECT_EQ(combo.currentText().toStdString(), initial.toStdString());

        int changes = 0;
        const auto counter = QObject::connect(&combo, &QComboBox::editTextChanged, [&] { ++changes; });
        combo.setEditText(QString::fromLatin1(row.another));
        EXPECT_EQ(combo.currentIndex(), combo.findText(QString::fromLatin1(row.another)));
        // Text that is no item, typed or empty: no item is current and the text stays as
        // it is; each edit is one change, with no empty text in between.
        for (const char* text : {"/dev/ttyUSB0", "", " 1", "x"}) {
            combo.setEditText(QString::fromLatin1(text));
            EXPECT_EQ(combo.currentIndex(), -1) << text;
            EXPECT_EQ(combo.currentText().toStdString(), text);
        }
        EXPECT_EQ(changes, 5);
        QObject::disconnect(counter);
        combo.setEditText(initial);
        EXPECT_EQ(combo.currentIndex(), combo.findText(initial));
    }
    EXPECT_EQ(form.Comm1->CommName(), "COM4");
    EXPECT_EQ(form.Comm1->BaudRate(), 19200u);

    // Typing into the middle of an item's text leaves the caret where the operator typed.
    QLineEdit& portEdit = *form.ComboBox4->lineEdit();
    portEdit.setCursorPosition(1);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(&portEdit, &typed);
    EXPECT_EQ(portEdit.text().toStdString(), "CxOM4");
    EXPECT_EQ(portEdit.cursorPosition(), 2);
    EXPECT_EQ(form.ComboBox4->currentIndex(), -1);

    // A port given on the command line that is not in the list.
    ConsoleUnderTest withPort("/dev/pts/77");
    EXPECT_EQ(withPort.form.ComboBox4->currentIndex(), -1);
    EXPECT_EQ(withPort.form.Comm1->CommName(), "/dev/pts/77");
}

// The window's controls are flat; the address combo and the memos have the 3D look. The
// combos' fields have a combo's own colour, not their panel's.
TEST(Form1StartUp, ControlsAreFlatExceptTheAddressComboAndTheMemos)
{
    ConsoleUnderTest console;
    TForm1& form = console.form;
    for (QComboBox* combo : {form.ComboBox4, form.ComboBox5, form.ComboBox6, form.ComboBox1}) {
        EXPECT_EQ(combo->hasFrame(), combo == form.ComboBox1) << combo->currentText().toStdString();
        EXPECT_EQ(combo->lineEdit()->palette().color(QPalette::Base), ToQColor(clWindow));
    }
    for (QPlainTextEdit* memo : {form.Memo12, form.Memo13}) {
        EXPECT_NE(memo->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(memo->frameShadow(), QFrame::Sunken);
    }
}

// Ticking or unticking "通讯" leaves the running poll timer alone: the next poll is not
// pushed back. A stopped timer is started.
TEST(Form1PollCycle, TickingCommunicationDoesNotRestartThePollTimer)
{
    ConsoleUnderTest console;
    QTimer& timer = *console.form.Timer1;
    for (int click = 0; click < 4; ++click) {
        ASSERT_TRUE(WaitUntil([&] {
            const int remaining = timer.remainingTime();
            return remaining > 0 && remaining < 600;
        }, 10000));
        const int before = timer.remainingTime();
        console.Tick();
        EXPECT_TRUE(timer.isActive());
        EXPECT_LE(timer.remainingTime(), before) << "click " << click;
    }
    timer.stop();
    console.Tick();
    EXPECT_TRUE(timer.isActive());
}

TEST(Form1PortControls, FailedOpeningShowsTheMessageAndLeavesThePortShownClosed)
{
    ConsoleUnderTest console("/nonexistent/ttyNothing");
    console.form.BitBtn7->click();
    ASSERT_EQ(console.messages.size(), 1);
    EXPECT_EQ(console.messages[0], QStringLiteral("打开串口错误"));
    EXPECT_FALSE(console.form.Comm1->IsOpen());
    EXPECT_EQ(console.form.BitBtn7->text(), QStringLiteral("打开串口"));
    EXPECT_FALSE(console.PortLampLit());
    EXPECT_FALSE(console.form.Image9->isHidden());

    // A garbled name is refused the same way, and a second press tries again.
    console.form.ComboBox4->setEditText("");
    console.form.BitBtn7->click();
    EXPECT_EQ(console.messages.size(), 2);
    EXPECT_EQ(console.form.BitBtn7->text(), QStringLiteral("打开串口"));
}

TEST(Form1PortControls, OpenAndCloseShowThePortState)
{
    PtyDevice device;
    ConsoleUnderTest console(QString::fromStdString(device.SlavePath()));
    ASSERT_TRUE(console.Open());
    EXPECT_EQ(console.form.BitBtn7->text(), QStringLiteral("关闭串口"));
    EXPECT_TRUE(console.PortLampLit());
    EXPECT_TRUE(console.form.Image9->isHidden()) << "the unlit ring would show around the lit lamp";
    EXPECT_TRUE(console.messages.isEmpty());

    console.form.BitBtn7->click();
    EXPECT_FALSE(console.form.Comm1->IsOpen());
    EXPECT_EQ(console.form.BitBtn7->text(), QStringLiteral("打开串口"));
    EXPECT_FALSE(console.PortLampLit());
    EXPECT_FALSE(console.form.Image9->isHidden());
}

TEST(Form1PortControls, BaudChangesAtOnceFormatOnlyAtTheNextOpening)
{
    PtyDevice device;
    ConsoleUnderTest console(QString::fromStdString(device.SlavePath()));
    ASSERT_TRUE(console.Open());
    EXPECT_EQ(LineSpeed(device), B19200);
    EXPECT_TRUE(LineSettings(device).c_cflag & CSTOPB);  // "8_N_2": two stop bits

    console.form.ComboBox5->setEditText("38400");
    EXPECT_EQ(console.form.Comm1->BaudRate(), 38400u);
    EXPECT_EQ(LineSpeed(device), B38400);

    // Text that is no baud rate: the line keeps its rate and the port stays open.
    console.form.ComboBox5->setEditText("fast");
    EXPECT_EQ(console.form.Comm1->BaudRate(), 0u);
    EXPECT_EQ(LineSpeed(device), B38400);
    EXPECT_TRUE(console.form.Comm1->IsOpen());
    console.form.ComboBox5->setEditText("38400");

    // "8_E_1" while open: the line keeps no parity and two stop bits until the port is
    // reopened, even when a baud change reconfigures it meanwhile.
    console.form.ComboBox6->setEditText("8_E_1");
    EXPECT_TRUE(LineSettings(device).c_cflag & CSTOPB);
    // (A pseudo-terminal always reads as no parity, so the port's own settings show it.)
    console.form.ComboBox5->setEditText("9600");
    EXPECT_EQ(LineSpeed(device), B9600);
    EXPECT_TRUE(LineSettings(device).c_cflag & CSTOPB);
    EXPECT_EQ(console.form.Comm1->Parity(), TParity::None);
    EXPECT_EQ(console.form.Comm1->StopBits(), TStopBits::_2);
    console.form.BitBtn7->click();
    ASSERT_TRUE(console.Open());
    EXPECT_FALSE(LineSettings(device).c_cflag & CSTOPB);
    EXPECT_EQ(console.form.Comm1->Parity(), TParity::Even);
    EXPECT_EQ(console.form.Comm1->StopBits(), TStopBits::_1);

    // Text that names no format changes nothing.
    console.form.ComboBox6->setEditText("9_X_3");
    EXPECT_EQ(console.form.Comm1->Parity(), TParity::Even);
}

TEST(Form1PollCycle, PollsDecodesAndLightsTheLampOnTheWire)
{
    PtyDevice device;
    ConsoleUnderTest console(QString::fromStdString(device.SlavePath()));
    ASSERT_TRUE(console.Open());
    console.Tick();

    console.form.Timer1Timer();
    EXPECT_EQ(device.Read(8), ReadRequest(1, 0));
    device.Write(ReadReply(1, {1, 300, 12, 10, 625, 40, 150, 0x0101, 40000, 9}));
    ASSERT_TRUE(WaitUntil([&] { return console.form.Link().BlockDone(); }));
    EXPECT_TRUE(console.CommunicationLampLit());
    EXPECT_EQ(console.form.Link().Register(4), 625u);
    EXPECT_EQ(console.form.Link().Register(8), 40000u);

    console.form.Timer1Timer();
    EXPECT_EQ(device.Read(8), ReadRequest(1, 10));

    // The device stops answering: the next poll finds the request unanswered and the lamp
    // goes out, so the values on screen no longer look live.
    console.form.Timer1Timer();
    EXPECT_EQ(device.Read(8), ReadRequest(1, 10));
    EXPECT_FALSE(console.CommunicationLampLit());
}

TEST(Form1PollCycle, SendsNothingWithoutAValidStationAddress)
{
    PtyDevice device;
    ConsoleUnderTest console(QString::fromStdString(device.SlavePath()));
    ASSERT_TRUE(console.Open());
    console.Tick();
    for (const char* address : {"0", "300", "", "abc", "-1"}) {
        console.form.ComboBox1->setEditText(address);
        console.form.Timer1Timer();
        EXPECT_TRUE(device.ReadAvailable(150).empty()) << "address '" << address << "'";
        EXPECT_FALSE(console.CommunicationLampLit());
    }
    console.form.ComboBox1->setEditText("$1F");
    console.form.Timer1Timer();
    EXPECT_EQ(device.Read(8), ReadRequest(0x1F, 0));
}

TEST(Form1PollCycle, UntickedCommunicationSendsNothing)
{
    PtyDevice device;
    ConsoleUnderTest console(QString::fromStdString(device.SlavePath()));
    ASSERT_TRUE(console.Open());
    console.form.Timer1Timer();
    EXPECT_TRUE(device.ReadAvailable(150).empty());
    EXPECT_FALSE(console.CommunicationLampLit());
}

TEST(Form1PortControls, RemovedDeviceShowsThePortClosedAndCanBeReopened)
{
    auto device = std::make_unique<PtyDevice>();
    ConsoleUnderTest console(QString::fromStdString(device->SlavePath()));
    ASSERT_TRUE(console.Open());
    console.Tick();
    device->Close();
    ASSERT_TRUE(WaitUntil([&] { return !console.form.Comm1->IsOpen(); }));
    EXPECT_EQ(console.form.BitBtn7->text(), QStringLiteral("打开串口"));
    EXPECT_FALSE(console.PortLampLit());
    EXPECT_FALSE(console.CommunicationLampLit());
    EXPECT_TRUE(console.messages.isEmpty());

    // A new device on a new terminal: the operator opens it and polling goes on.
    device = std::make_unique<PtyDevice>();
    console.form.ComboBox4->setEditText(QString::fromStdString(device->SlavePath()));
    ASSERT_TRUE(console.Open());
    console.form.Timer1Timer();
    EXPECT_EQ(device->Read(8), ReadRequest(1, 0));
}
