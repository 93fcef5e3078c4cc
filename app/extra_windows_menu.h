// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's right-click menu and keyboard shortcuts for the console's extra
// windows. The main window keeps its own layout and behaviour: this only adds actions
// to it. Each window is made the first time it is asked for, then kept (hidden when
// closed) and brought to the front when asked for again.

#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QWidget;

class ExtraWindowsMenu : public QObject {
    Q_OBJECT

public:
    // The actions are added to `mainWindow`, which shows them on a right click.
    explicit ExtraWindowsMenu(QWidget& mainWindow);
    ~ExtraWindowsMenu() override;

    using WindowFactory = std::function<QWidget*()>;

    // Adds an entry that opens the window `make` builds. The window is owned by the
    // menu; `make` runs on the first use only.
    QAction* AddWindow(const QString& text, const QKeySequence& shortcut, WindowFactory make);

    // Adds an entry that runs `action` (for entries that are no window of their own).
    QAction* AddCommand(const QString& text, const QKeySequence& shortcut, std::function<void()> command);

    // The window of an entry if it has been made, else null (tests, and entries that
    // open one window from another).
    QWidget* WindowOf(const QAction* action) const;

    // Opens the window of an entry, making it if need be.
    QWidget* Open(QAction* action);

private:
    struct Entry {
        QAction* action = nullptr;
        WindowFactory make;
        QPointer<QWidget> window;
    };
    QAction* MakeAction(const QString& text, const QKeySequence& shortcut);
    Entry* EntryOf(const QAction* action);
    const Entry* EntryOf(const QAction* action) const;

    QWidget& mainWindow_;
    std::vector<Entry> entries_;
};
