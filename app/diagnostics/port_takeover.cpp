// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/diagnostics/port_takeover.h"

#include "app/form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

PortTakeover::PortTakeover(TForm1& form)
    : form_(form), tick_(form.CheckBox2), comm_(form.Comm1),
      controls_{form.ComboBox4, form.ComboBox5, form.ComboBox6, form.BitBtn7, form.CheckBox2, form.ComboBox1},
      portName_(form.Comm1->CommName()), wasOpen_(form.Comm1->IsOpen()), wasTicked_(form.CheckBox2->isChecked())
{
    form.CheckBox2->setChecked(false);   // the poll sends nothing from the next tick on
    if (wasOpen_) form.BitBtn7Click();   // closes it, and the port panel shows it closed
    LockControls(true);
}

PortTakeover::~PortTakeover()
{
    Return();
}

bool PortTakeover::FormAlive() const
{
    if (!tick_ || !comm_) return false;
    for (const auto& control : controls_)
        if (!control) return false;
    return true;
}

void PortTakeover::LockControls(bool locked)
{
    for (const auto& control : controls_)
        if (control) control->setEnabled(!locked);
}

void PortTakeover::Return()
{
    if (returned_) return;
    returned_ = true;
    if (!FormAlive()) return;
    LockControls(false);
    if (wasOpen_ && !comm_->IsOpen()) form_.BitBtn7Click();
    tick_->setChecked(wasTicked_);
}
