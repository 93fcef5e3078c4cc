// SPDX-License-Identifier: GPL-3.0-or-later
// The diagnostics window on the main window: its menu entries and shortcuts, the traffic
// view (live, paused, cleared, copied, saved), counters reset by opening the port, no
// recording while closed; and the reason beneath "打开串口错误" for each kind of failure.
#include "app/console_extras.h"
#include "app/diagnostics/diagnostics_window.h"
#include "app/diagnostics/port_open_reason.h"
#include "app/diagnostics/statistics_panel.h"
#include "app/extra_windows_menu.h"
#include "tests/support/console_test_support.h"
#include "tests/support/port_holder.h"
#include "tests/support/pty_pair.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using console_test::ConsoleOnPty;
using console_test::ConsoleUnderTest;

QAction* ActionNamed(QWidget& window, const QString& text)
{
    for (QAction* action : window.actions())
        if (action->text() == text) return action;
    return nullptr;
}

// Polls the next block and answers it; true once it is decoded.
bool FeedNextBlock(ConsoleOnPty& rig)
{
    rig.console.form.Timer1Timer();
    const console_test::Bytes request = rig.device.Read(8);
    if (request.size() != 8) return false;
    rig.device.Write(console_test::ReadReply(1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    return WaitUntil([&] { return rig.console.form.Link().BlockDone(); });
}

int ViewLines(const DiagnosticsWindow& window)
{
    return window.TrafficView->toPlainText().isEmpty() ? 0 : window.TrafficView->blockCount();
}

}  // namespace

TEST(DiagnosticsWindow, ShowsTrafficWhileOpenAndCountsAlways)
{
    ConsoleOnPty rig;
    TForm1& form = rig.console.form;
    ExtraWindowsMenu& menu = InstallConsoleExtras(form).menu;
    QAction* diagnostics = ActionNamed(form, QStringLiteral("通讯诊断"));
    QAction* scan = ActionNamed(form, QStringLiteral("查找设备"));
    ASSERT_NE(diagnostics, nullptr);
    ASSERT_NE(scan, nullptr);
    EXPECT_EQ(diagnostics->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    EXPECT_EQ(scan->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));

    ASSERT_TRUE(rig.console.Open());
    rig.console.Tick();
    form.Timer1->stop();   // the test polls by hand
    ASSERT_TRUE(FeedNextBlock(rig));   // before the window: counted, not shown

    auto* window = qobject_cast<DiagnosticsWindow*>(menu.Open(diagnostics));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ViewLines(*window), 0);
    window->Statistics->Show({}, 0);
    ASSERT_TRUE(FeedNextBlock(rig));
    EXPECT_EQ(ViewLines(*window), 2);   // the read and its reply
    EXPECT_TRUE(window->TrafficView->toPlainText().contains(QStringLiteral("应答：块 1")));
    EXPECT_TRUE(WaitUntil([&] { return window->Statistics->ValueOf(QStringLiteral("已解码应答")) == QLatin1String("2"); }));

    window->PauseButton->click();
    ASSERT_TRUE(FeedNextBlock(rig));
    EXPECT_EQ(ViewLines(*window), 2) << "paused: the view stands still";
    window->PauseButton->click();
    EXPECT_EQ(ViewLines(*window), 4) << "running again: what came meanwhile is shown";

    window->CopyButton->click();
    EXPECT_EQ(QApplication::clipboard()->text(), window->HistoryText());
    EXPECT_EQ(window->HistoryText().count(QLatin1Char('\n')), 4);
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("traffic.txt"));
    ASSERT_TRUE(window->SaveTo(saved));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), window->HistoryText());
    EXPECT_FALSE(window->SaveTo(dir.filePath(QStringLiteral("no/such/folder/traffic.txt"))));

    window->ClearButton->click();
    EXPECT_EQ(ViewLines(*window), 0);
    EXPECT_TRUE(window->HistoryText().isEmpty());

    window->close();
    ASSERT_TRUE(FeedNextBlock(rig));
    menu.Open(diagnostics);
    EXPECT_EQ(ViewLines(*window), 0) << "nothing recorded while closed";
    EXPECT_TRUE(WaitUntil([&] { return window->Statistics->ValueOf(QStringLiteral("已解码应答")) == QLatin1String("4"); }));

    // Opening the port again starts the counters from nothing.
    form.BitBtn7Click();
    form.BitBtn7Click();
    ASSERT_TRUE(form.Comm1->IsOpen());
    EXPECT_TRUE(WaitUntil([&] { return window->Statistics->ValueOf(QStringLiteral("已解码应答")) == QLatin1String("0"); }));
    EXPECT_EQ(window->Statistics->ValueOf(QStringLiteral("块 0 数值")), QStringLiteral("未收到"));
}

TEST(PortOpenReason, TheMessageSaysWhyBeneathTheSameText)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain"));
    QFile(file).open(QIODevice::WriteOnly);
    PtyPair held;
    PortHolderProcess holder(held.SlavePath());
    ASSERT_TRUE(holder.Held());

    struct Row {
        QString port;
        QString reason;
    };
    for (const Row& row : {Row{dir.filePath(QStringLiteral("missing")), QStringLiteral("不存在")},
                           Row{file, QStringLiteral("是一个普通文件")},
                           Row{dir.path(), QStringLiteral("是一个目录")},
                           Row{QStringLiteral("/dev/null"), QStringLiteral("不是串口设备")},
                           Row{QString::fromStdString(held.SlavePath()),
                               QStringLiteral("进程号 %1").arg(holder.Pid())}}) {
        ConsoleUnderTest console(row.port);
        EXPECT_FALSE(console.Open());
        ASSERT_EQ(console.messages, QStringList{QStringLiteral("打开串口错误")}) << row.port.toStdString();
        ASSERT_EQ(console.details.size(), 1);
        EXPECT_TRUE(console.details[0].contains(row.reason)) << console.details[0].toStdString();
        EXPECT_EQ(console.form.BitBtn7->text(), TForm1::OpenCaption());
    }
}

TEST(PortOpenReason, TextsForEachCase)
{
    using platform::PortOpenProblem;
    auto failure = [](PortOpenProblem problem) {
        platform::PortOpenFailure f;
        f.problem = problem;
        f.path = "/dev/ttyUSB0";
        f.user = "tech";
        f.group = "dialout";
        return f;
    };
    struct Row {
        platform::PortOpenFailure failure;
        std::vector<SerialPortEntry> present;
        QString expected;
    };
    auto notMember = failure(PortOpenProblem::PermissionDenied);
    auto listed = notMember;
    listed.userListedInGroup = true;
    auto member = listed;
    member.userInGroupNow = true;
    auto noGroup = notMember;
    noGroup.group.clear();
    auto settings = failure(PortOpenProblem::SettingsFailed);
    settings.error = EIO;
    auto noUart = failure(PortOpenProblem::NoSuchDevice);
    noUart.kind = platform::PathKind::CharacterDevice;
    auto inUse = failure(PortOpenProblem::InUse);
    inUse.holders = {{812, "minicom"}, {900, "other"}};
    for (const Row& row : {
             Row{notMember, {}, QStringLiteral("用户 tech 不在 dialout 组中。加入该组后注销并重新登录：\nsudo adduser tech dialout")},
             Row{listed, {}, QStringLiteral("已加入 dialout 组，注销后重新登录才生效")},
             Row{member, {}, QStringLiteral("请检查设备的权限")},
             Row{noGroup, {}, QStringLiteral("原因：没有权限打开 /dev/ttyUSB0。")},
             Row{failure(PortOpenProblem::NoSuchDevice), {{"/dev/ttyUSB1", ""}, {"/dev/ttyS0", ""}},
                 QStringLiteral("本机现有的串口：/dev/ttyUSB1、/dev/ttyS0")},
             Row{failure(PortOpenProblem::NoSuchDevice), {}, QStringLiteral("本机没有找到串口设备")},
             Row{noUart, {}, QStringLiteral("没有对应的串口硬件")},
             Row{inUse, {}, QStringLiteral("minicom（进程号 812）、other（进程号 900）")},
             Row{failure(PortOpenProblem::InUse), {}, QStringLiteral("正被其他程序占用。")},
             Row{settings, {}, QStringLiteral("错误码 EIO")},
             Row{failure(PortOpenProblem::Other), {}, QStringLiteral("打开 /dev/ttyUSB0 失败")}}) {
        const QString text = PortOpenReasonText(row.failure, row.present);
        EXPECT_TRUE(text.contains(row.expected)) << text.toStdString();
    }
}
