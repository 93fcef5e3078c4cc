// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The instruments of the library, one entry each, for the tools that offer all of
// them: the Qt Designer plugin, the gallery and the tests that go over every widget.

#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QWidget;
class TiComponent;

struct TiInstrumentKind {
    QString className;    // "TiKnob"
    QString includeFile;  // as a user's source names it: "widgets/dials/knob.h"
    QString toolTip;      // one line on what it is, translated
    QSize defaultSize;    // size when placed on a form
    std::function<TiComponent*(QWidget* parent)> create;
};

// Every instrument, in the order tools list them.
const std::vector<TiInstrumentKind>& InstrumentKinds();
// The entry of `className`, or nullptr.
const TiInstrumentKind* FindInstrumentKind(const QString& className);
