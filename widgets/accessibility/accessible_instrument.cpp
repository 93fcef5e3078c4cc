// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/accessibility/accessible_instrument.h"

#include "widgets/base/component.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

TiAccessibleInstrument::TiAccessibleInstrument(TiComponent* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

TiComponent* TiAccessibleInstrument::Instrument() const
{
    return static_cast<TiComponent*>(widget());
}

QString TiAccessibleInstrument::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        if (const QString caption = OwnCaption(); !caption.isEmpty())
            return caption;
        break;
    case QAccessible::Value:
        return ValueText();
    default:
        break;
    }
    return QAccessibleWidget::text(t);
}

bool TiAccessibleInstrument::Operable() const
{
    return widget()->isEnabled() && widget()->isVisible();
}

void TiAccessibleInstrument::Click() const
{
    const QPointF centre(widget()->width() / 2, widget()->height() / 2);
    const QPointF global = widget()->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget(), &release);
}

void TiAccessibleInstrument::PressKey(int key) const
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget(), &release);
}

QString CaptionWithoutAccelerator(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;  // "&x" reads "x", "&&" reads "&"
        text.append(caption[i]);
    }
    return text;
}
