// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Borrowing the main window's port for a while (a device scan): polling stops (通讯 is
// unticked), the port is closed and the port and communication controls are locked; on
// return the port is opened again if it was open, with the operator's own settings, and
// 通讯 is ticked again if it was.

#include <QPointer>

#include <string>
#include <vector>

class QCheckBox;
class QWidget;
class TComm;
class TForm1;

class PortTakeover {
public:
    explicit PortTakeover(TForm1& form);
    ~PortTakeover();   // returns the port if it has not been returned
    PortTakeover(const PortTakeover&) = delete;
    PortTakeover& operator=(const PortTakeover&) = delete;

    // The device the port controls name.
    const std::string& PortName() const { return portName_; }

    // Gives the port back. Opening it again may fail (the device went away, another
    // program took it): the main window then says so as its own port button would.
    void Return();
    // Gives nothing back (the main window is going away).
    void Abandon() { returned_ = true; }

private:
    void LockControls(bool locked);
    bool FormAlive() const;

    TForm1& form_;
    // The window's parts this touches; when the window is being torn down they are gone
    // and there is nothing to give back.
    QPointer<QCheckBox> tick_;
    QPointer<TComm> comm_;
    std::vector<QPointer<QWidget>> controls_;
    std::string portName_;
    bool wasOpen_ = false;
    bool wasTicked_ = false;
    bool returned_ = false;
};
