// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/extra_windows_menu.h"

#include <QAction>
#include <QWidget>

ExtraWindowsMenu::ExtraWindowsMenu(QWidget& mainWindow) : QObject(&mainWindow), mainWindow_(mainWindow)
{
    mainWindow_.setContextMenuPolicy(Qt::ActionsContextMenu);
}

ExtraWindowsMenu::~ExtraWindowsMenu()
{
    for (Entry& entry : entries_)
        delete entry.window.data();
}

QAction* ExtraWindowsMenu::MakeAction(const QString& text, const QKeySequence& shortcut)
{
    auto* action = new QAction(text, &mainWindow_);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    mainWindow_.addAction(action);
    return action;
}

QAction* ExtraWindowsMenu::AddCommand(const QString& text, const QKeySequence& shortcut, std::function<void()> command)
{
    QAction* action = MakeAction(text, shortcut);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    return action;
}

QAction* ExtraWindowsMenu::AddWindow(const QString& text, const QKeySequence& shortcut, WindowFactory make)
{
    QAction* action = MakeAction(text, shortcut);
    entries_.push_back({action, std::move(make), nullptr});
    connect(action, &QAction::triggered, this, [this, action] { Open(action); });
    return action;
}

ExtraWindowsMenu::Entry* ExtraWindowsMenu::EntryOf(const QAction* action)
{
    for (Entry& entry : entries_)
        if (entry.action == action) return &entry;
    return nullptr;
}

const ExtraWindowsMenu::Entry* ExtraWindowsMenu::EntryOf(const QAction* action) const
{
    return const_cast<ExtraWindowsMenu*>(this)->EntryOf(action);
}

QWidget* ExtraWindowsMenu::WindowOf(const QAction* action) const
{
    const Entry* entry = EntryOf(action);
    return entry ? entry->window.data() : nullptr;
}

QWidget* ExtraWindowsMenu::Open(QAction* action)
{
    Entry* entry = EntryOf(action);
    if (!entry) return nullptr;
    if (!entry->window) {
        entry->window = entry->make();
        if (!entry->window) return nullptr;
        // A window of its own beside the main window, not a child drawn inside it.
        entry->window->setParent(&mainWindow_, Qt::Window);
    }
    entry->window->show();
    entry->window->raise();
    entry->window->activateWindow();
    return entry->window;
}
