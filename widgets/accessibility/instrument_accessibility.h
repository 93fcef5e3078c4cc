// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes the instrument widgets known to assistive technology (screen readers and the
// like): installs the interface factory that gives each widget of the library its
// accessible interface. A program calls it once after creating its application object
// and before building its windows (Qt keeps the first interface it made for a widget);
// further calls do nothing.
void InstallInstrumentAccessibility();

class QAccessibleInterface;
class QObject;
class QString;

// The factory itself: the interface of an instrument widget, null for any other object.
QAccessibleInterface* InstrumentAccessibleInterface(const QString& className, QObject* object);
