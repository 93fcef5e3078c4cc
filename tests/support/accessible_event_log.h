// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The accessibility events a program sends, caught where Qt hands them to the platform's
// bridge. Qt sends none while no assistive technology is active, so the suites that read
// them run under tests/support/with_accessibility_bus (a private display and D-Bus session
// with the accessibility bus, Qt's bridge on).

#include "tests/support/qt_wait.h"
#include "widgets/accessibility/instrument_accessibility.h"

#include <QAccessible>

#include <vector>

namespace accessible_test {

struct ToldEvent {
    QAccessible::Event type;
    QObject* object;
    QVariant value;               // ValueChanged
    QAccessible::State changed;  // StateChanged
};

class EventLog {
public:
    // True when the bridge became active within the deadline.
    static bool WaitForActiveBridge() { return WaitUntil([] { return QAccessible::isActive(); }, 15000); }

    EventLog()
    {
        InstallInstrumentAccessibility();
        Told().clear();
        previous_ = QAccessible::installUpdateHandler(&Record);
    }
    ~EventLog() { QAccessible::installUpdateHandler(previous_); }
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    const std::vector<ToldEvent>& Events() const { return Told(); }
    void Clear() { Told().clear(); }
    // The events of one kind about one object.
    std::vector<ToldEvent> About(const QObject* object, QAccessible::Event type) const
    {
        std::vector<ToldEvent> found;
        for (const ToldEvent& event : Told()) {
            if (event.object == object && event.type == type)
                found.push_back(event);
        }
        return found;
    }

    // The events about what the object shows: its value, its name, its checked state
    // (not the focus, nor a description the window sets).
    std::vector<ToldEvent> AboutShown(const QObject* object) const
    {
        std::vector<ToldEvent> found;
        for (const ToldEvent& event : Told()) {
            const bool shown = event.type == QAccessible::ValueChanged || event.type == QAccessible::NameChanged ||
                               (event.type == QAccessible::StateChanged && event.changed.checked);
            if (event.object == object && shown)
                found.push_back(event);
        }
        return found;
    }

private:
    static std::vector<ToldEvent>& Told()
    {
        static std::vector<ToldEvent> events;
        return events;
    }
    static void Record(QAccessibleEvent* event)
    {
        ToldEvent told{event->type(), event->object(), QVariant(), QAccessible::State()};
        if (event->type() == QAccessible::ValueChanged)
            told.value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
        if (event->type() == QAccessible::StateChanged)
            told.changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
        Told().push_back(told);
    }

    QAccessible::UpdateHandler previous_ = nullptr;
};

}  // namespace accessible_test
