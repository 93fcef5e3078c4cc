// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frame_format.h"
#include "device/device_link.h"
#include "serial/comm.h"
#include "widgets/base/types.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>
#include <optional>

class TiAnalogDisplay;
class TiComponent;
class TiAnalogOutput;
class TiKnob;
class TiLabel;
class TiLedBar;
class TiLedRound;
class TiSwitchLed;
class TiThermometer;
class UpDownArrows;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The main window: port and communication controls, the instrument panel and the two
// timers. Its event handlers are thin and pass the work on to the device link.
class TForm1 : public QWidget, private DeviceLinkHost {
    Q_OBJECT

public:
    // initialPort: the port combo's initial text (the --port option); empty keeps "COM4".
    explicit TForm1(const QString& initialPort = QString(), QWidget* parent = nullptr);
    ~TForm1() override;

    // Event handlers, named after the control and the event.
    void FormCreate();
    void ComboBox4Change();
    void ComboBox5Change();
    void ComboBox6Change();
    void BitBtn7Click();
    void CheckBox2Click();
    void Timer1Timer();
    void Timer2Timer();
    void Comm1ReceiveData(TComm* Sender, const void* Buffer, std::uint16_t BufferLength);
    void Comm1RequestHangup(TComm* Sender);
    void iKnob1Click(TObject* Sender);
    void iKnob2Click(TObject* Sender);
    void iKnob3Click(TObject* Sender);
    void iSwitchLed1Change(TObject* Sender);
    void iAnalogOutput2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void iAnalogOutput2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void UpDown1Click(int direction);

    DeviceLink& Link() { return link_; }

    // Shows a modal message; tests replace it so nothing blocks.
    std::function<void(const QString&)> ShowMessage;
    // Shows a modal message with a detail beneath it (why a port did not open); tests
    // replace it too.
    std::function<void(const QString& text, const QString& detail)> ShowDetailedMessage;

    // Controls, public as the window's description makes them.
    QLabel* Label1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* Label23 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QLabel* Label25 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QLabel* Label26 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QPushButton* BitBtn7 = nullptr;
    QLabel* Image9 = nullptr;
    QLabel* Image20 = nullptr;
    QFrame* Panel5 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QLabel* Image7 = nullptr;
    QLabel* Image14 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPlainTextEdit* Memo12 = nullptr;
    QPlainTextEdit* Memo13 = nullptr;

    // Alarm panel
    QFrame* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    TiLedRound* iLedRound1 = nullptr;
    TiLedRound* iLedRound2 = nullptr;
    TiLedRound* iLedRound3 = nullptr;
    TiLedRound* iLedRound4 = nullptr;
    TiLedRound* iLedRound5 = nullptr;
    TiLedRound* iLedRound6 = nullptr;
    TiLedRound* iLedRound7 = nullptr;
    TiLedRound* iLedRound8 = nullptr;
    TiLedRound* iLedRound9 = nullptr;
    TiLabel* iLabel1 = nullptr;
    TiLabel* iLabel2 = nullptr;
    TiLabel* iLabel3 = nullptr;
    TiLabel* iLabel4 = nullptr;
    TiLabel* iLabel5 = nullptr;
    TiLabel* iLabel6 = nullptr;
    TiLabel* iLabel7 = nullptr;
    TiLabel* iLabel8 = nullptr;
    TiLabel* iLabel9 = nullptr;
    TiLabel* iLabel10 = nullptr;
    TiLabel* iLabel11 = nullptr;
    // Starting voltage and output panel
    QFrame* Panel6 = nullptr;
    TiLabel* iLabel13 = nullptr;
    TiKnob* iKnob1 = nullptr;
    TiAnalogOutput* iAnalogOutput2 = nullptr;
    UpDownArrows* UpDown1 = nullptr;
    TiLabel* iLabel15 = nullptr;
    TiAnalogOutput* iAnalogOutput4 = nullptr;
    TiLedBar* iLedBar2 = nullptr;
    // Temperature panel
    QFrame* Panel4 = nullptr;
    TiLabel* iLabel12 = nullptr;
    TiThermometer* iThermometer1 = nullptr;
    TiAnalogOutput* iAnalogOutput1 = nullptr;
    // Soft start and soft stop panels
    QFrame* Panel11 = nullptr;
    TiLabel* iLabel23 = nullptr;
    TiAnalogDisplay* iAnalogDisplay5 = nullptr;
    TiKnob* iKnob2 = nullptr;
    QFrame* Panel10 = nullptr;
    TiLabel* iLabel24 = nullptr;
    TiAnalogDisplay* iAnalogDisplay6 = nullptr;
    TiKnob* iKnob3 = nullptr;
    // Current panel
    QFrame* Panel7 = nullptr;
    TiAnalogDisplay* iAnalogDisplay1 = nullptr;
    TiLabel* iLabel19 = nullptr;
    TiLabel* iLabel16 = nullptr;
    QFrame* Panel8 = nullptr;
    // Run/stop switch in the communication panel
    TiSwitchLed* iSwitchLed1 = nullptr;

    TComm* Comm1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // The open/close button's captions in the console's language: "打开串口", "关闭串口".
    static QString OpenCaption();
    static QString CloseCaption();
    // What an alarm lamp tells screen readers of its state: "报警" (raised), "正常".
    static QString AlarmStateText(bool raised);

signals:
    // The port has just been opened from the port panel.
    void PortOpened();

private:
    void BuildFrame();
    void BuildPortPanel();
    void BuildCommunicationPanel();
    void BuildMemos();
    // Instrument panel (form1_instruments.cpp)
    void BuildInstrumentPanel();
    void BuildAlarmPanel();
    void BuildStartingVoltagePanel();
    void BuildTemperaturePanel();
    void BuildSoftStartStopPanels();
    void BuildCurrentPanels();
    void BuildRunStopSwitch();
    void ConnectInstrumentHandlers();
    void MakeRoomForCaptions();
    // Accessible names and states (form1_accessible_names.cpp)
    void NameInstrumentsAfterCaptions();
    static void ShowAlarmState(TiLedRound* lamp, bool raised);
    std::vector<TiComponent*> InstrumentWidgets() const;
    std::array<TiLedRound*, 9> AlarmLeds() const;
    void ShowRegisterState();
    void SetUpComm1(const QString& initialPort);
    void ConnectHandlers();
    void ShowPortClosed();
    void ShowPortOpen();
    QString PortNameFromCombo() const;
    void ApplyPendingFormat();
    static void ShowMemoText(QPlainTextEdit* memo, const QString& text);

    // DeviceLinkHost
    bool CommunicationTicked() const override;
    std::string StationAddressText() const override;
    bool SendData(const std::uint8_t* data, std::uint16_t length) override;
    void Pause(int milliseconds) override;
    void SetCommunicationLamp(bool lit) override;
    void SetMemo12Text(const std::string& text) override;
    void SetMemo13Text(const std::string& text) override;

    DeviceLink link_;
    std::optional<FrameFormat> pendingFormat_;  // chosen format, applied at the next opening
};
