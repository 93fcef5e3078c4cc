// SPDX-License-Identifier: GPL-3.0-or-later
// The right-click menu and shortcuts that open the console's extra windows.
#include "app/extra_windows_menu.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

TEST(ExtraWindowsMenu, EntriesAreOnTheMainWindowAndMakeTheirWindowOnce)
{
    QWidget main;
    auto* menu = new ExtraWindowsMenu(main);
    int made = 0;
    int commands = 0;
    QAction* window = menu->AddWindow(QStringLiteral("窗口"), QKeySequence(Qt::CTRL | Qt::Key_D), [&made] {
        ++made;
        return new QWidget;
    });
    QAction* command = menu->AddCommand(QStringLiteral("命令"), QKeySequence(), [&commands] { ++commands; });

    EXPECT_EQ(main.contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_EQ(main.actions(), (QList<QAction*>{window, command}));
    EXPECT_EQ(menu->WindowOf(window), nullptr);   // nothing is made before it is asked for

    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QTest::keyClick(&main, Qt::Key_D, Qt::ControlModifier);
    QWidget* opened = menu->WindowOf(window);
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_TRUE(opened->isWindow());   // beside the main window, not inside it

    opened->close();
    window->trigger();
    EXPECT_EQ(menu->WindowOf(window), opened);   // the same window again
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(made, 1);

    command->trigger();
    EXPECT_EQ(commands, 1);
    EXPECT_EQ(menu->WindowOf(command), nullptr);
}

TEST(ExtraWindowsMenu, AFactoryThatMakesNothingOpensNothing)
{
    QWidget main;
    auto* menu = new ExtraWindowsMenu(main);
    QAction* window = menu->AddWindow(QStringLiteral("窗口"), QKeySequence(), [] { return nullptr; });
    EXPECT_EQ(menu->Open(window), nullptr);
    EXPECT_EQ(menu->Open(nullptr), nullptr);
}
