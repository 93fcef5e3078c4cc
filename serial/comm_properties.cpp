// SPDX-License-Identifier: GPL-3.0-or-later
// Property setters of TComm: store a changed value and apply it to an open port.
#include "serial/comm.h"

template <typename T>
void TComm::SetLineProperty(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    if (IsOpen())
        ApplyCommState();
}

void TComm::SetTimeout(std::uint32_t TCommTimeouts::*field, std::uint32_t value)
{
    if (timeouts_.*field == value)
        return;
    timeouts_.*field = value;
    if (IsOpen())
        ApplyCommTimeouts();
}

void TComm::SetBaudRate(std::uint32_t value) { SetLineProperty(baudRate_, value); }
void TComm::SetParityCheck(bool value) { SetLineProperty(parityCheck_, value); }
void TComm::SetOutx_CtsFlow(bool value) { SetLineProperty(outxCtsFlow_, value); }
void TComm::SetOutx_DsrFlow(bool value) { SetLineProperty(outxDsrFlow_, value); }
void TComm::SetDtrControl(TDtrControl value) { SetLineProperty(dtrControl_, value); }
void TComm::SetDsrSensitivity(bool value) { SetLineProperty(dsrSensitivity_, value); }
void TComm::SetTxContinueOnXoff(bool value) { SetLineProperty(txContinueOnXoff_, value); }
void TComm::SetOutx_XonXoffFlow(bool value) { SetLineProperty(outxXonXoffFlow_, value); }
void TComm::SetInx_XonXoffFlow(bool value) { SetLineProperty(inxXonXoffFlow_, value); }
void TComm::SetReplaceWhenParityError(bool value) { SetLineProperty(replaceWhenParityError_, value); }
void TComm::SetIgnoreNullChar(bool value) { SetLineProperty(ignoreNullChar_, value); }
void TComm::SetRtsControl(TRtsControl value) { SetLineProperty(rtsControl_, value); }
void TComm::SetXonLimit(std::uint16_t value) { SetLineProperty(xonLimit_, value); }
void TComm::SetXoffLimit(std::uint16_t value) { SetLineProperty(xoffLimit_, value); }
void TComm::SetByteSize(TByteSize value) { SetLineProperty(byteSize_, value); }
void TComm::SetStopBits(TStopBits value) { SetLineProperty(stopBits_, value); }
void TComm::SetXonChar(char value) { SetLineProperty(xonChar_, value); }
void TComm::SetXoffChar(char value) { SetLineProperty(xoffChar_, value); }
void TComm::SetReplacedChar(char value) { SetLineProperty(replacedChar_, value); }

void TComm::SetReadIntervalTimeout(std::uint32_t value) { SetTimeout(&TCommTimeouts::ReadIntervalTimeout, value); }
void TComm::SetReadTotalTimeoutMultiplier(std::uint32_t value)
{
    SetTimeout(&TCommTimeouts::ReadTotalTimeoutMultiplier, value);
}
void TComm::SetReadTotalTimeoutConstant(std::uint32_t value)
{
    SetTimeout(&TCommTimeouts::ReadTotalTimeoutConstant, value);
}
void TComm::SetWriteTotalTimeoutMultiplier(std::uint32_t value)
{
    SetTimeout(&TCommTimeouts::WriteTotalTimeoutMultiplier, value);
}
void TComm::SetWriteTotalTimeoutConstant(std::uint32_t value)
{
    SetTimeout(&TCommTimeouts::WriteTotalTimeoutConstant, value);
}
