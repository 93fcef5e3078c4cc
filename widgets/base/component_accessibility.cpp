// SPDX-License-Identifier: GPL-3.0-or-later
// TiComponent: the events that tell assistive technology what the widget shows.

#include "widgets/base/component.h"

#include <QAccessible>

void TiComponent::NotifyAccessibleChange(const QString& propertyName)
{
    // The one check made on every change: no screen reader, no work. A widget being set
    // up tells nothing either (the numeric display reports its value while loading).
    if (!QAccessible::isActive() || IsLoading())
        return;
    const QVariant value = property(propertyName.toLatin1().constData());
    switch (value.typeId()) {
    case QMetaType::Bool: {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
        break;
    }
    case QMetaType::QString:
        if (accessibleName().isEmpty()) {
            QAccessibleEvent event(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
        break;
    case QMetaType::Double:
    case QMetaType::Int: {
        QAccessibleValueChangeEvent event(this, value);
        QAccessible::updateAccessibility(&event);
        break;
    }
    default:
        break;
    }
}
