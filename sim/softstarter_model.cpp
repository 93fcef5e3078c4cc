// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/softstarter_model.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MaxStepSeconds = 0.1;       // temperature integration step
constexpr double MinWakeSeconds = 0.01;
constexpr double MaxWakeSeconds = 1.0;
constexpr double TemperatureSettled = 0.05;  // degrees

} // namespace

SoftStarterModel::SoftStarterModel()
{
    registers_[1] = 300;   // starting voltage 30.0 %
    registers_[2] = 10;    // soft start 10 s
    registers_[3] = 10;    // soft stop 10 s
    UpdateDerivedRegisters();
}

std::uint16_t SoftStarterModel::Register(int number) const
{
    if (number < 0 || number >= RegisterCount) return 0;
    return registers_[static_cast<std::size_t>(number)];
}

bool SoftStarterModel::Write(int number, std::uint16_t value)
{
    if (number < 0 || number >= WritableRegisters) return false;
    registers_[static_cast<std::size_t>(number)] = value;
    if (number == 0) {
        if (value & 1u) StartMotor();
        else StopMotor();
    }
    UpdateDerivedRegisters();
    return true;
}

bool SoftStarterModel::Preset(int number, std::uint16_t value)
{
    if (number < 0 || number >= RegisterCount) return false;
    registers_[static_cast<std::size_t>(number)] = value;
    switch (number) {
    case 0:
        running_ = (value & 1u) != 0;
        output_ = running_ ? FullOutput : 0.0;
        rampRate_ = 0.0;
        break;
    case 4: output_ = std::min<double>(value, FullOutput); break;
    case 6: temperature_ = value; break;
    default: break;
    }
    UpdateDerivedRegisters();
    return true;
}

void SoftStarterModel::StartMotor()
{
    running_ = true;
    // The starter applies the starting voltage at once, then ramps to full output.
    output_ = std::max(output_, std::min<double>(registers_[1], FullOutput));
    const double seconds = registers_[2];
    rampRate_ = seconds > 0 ? (FullOutput - output_) / seconds : 0.0;
    if (seconds <= 0) output_ = FullOutput;
}

void SoftStarterModel::StopMotor()
{
    running_ = false;
    const double seconds = registers_[3];
    rampRate_ = seconds > 0 ? output_ / seconds : 0.0;
    if (seconds <= 0) output_ = 0.0;
}

double SoftStarterModel::TargetTemperature() const
{
    const double load = output_ / FullOutput;   // current follows the output
    return AmbientTemperature + FullLoadTemperatureRise * load * load;
}

void SoftStarterModel::Advance(double seconds)
{
    if (!std::isfinite(seconds) || seconds <= 0) return;
    while (seconds > 0) {
        const double step = std::min(seconds, MaxStepSeconds);
        Step(step);
        seconds -= step;
    }
    UpdateDerivedRegisters();
}

void SoftStarterModel::Step(double seconds)
{
    if (running_) output_ = std::min<double>(FullOutput, output_ + rampRate_ * seconds);
    else output_ = std::max(0.0, output_ - rampRate_ * seconds);
    const double target = TargetTemperature();
    temperature_ = target + (temperature_ - target) * std::exp(-seconds / ThermalTimeConstant);
}

void SoftStarterModel::UpdateDerivedRegisters()
{
    registers_[0] = static_cast<std::uint16_t>((registers_[0] & ~1u) | (running_ ? 1u : 0u));
    registers_[4] = static_cast<std::uint16_t>(std::lround(output_));
    registers_[5] = static_cast<std::uint16_t>(std::lround(output_ * FullCurrent / FullOutput));
    registers_[6] = static_cast<std::uint16_t>(std::lround(std::clamp(temperature_, 0.0, 65535.0)));
    std::uint16_t alarms = registers_[7];
    if (temperature_ >= OverTemperatureTrip) alarms |= OverTemperatureBit;
    else if (temperature_ < OverTemperatureReset) alarms &= static_cast<std::uint16_t>(~OverTemperatureBit);
    registers_[7] = alarms;
}

double SoftStarterModel::SecondsToNextChange() const
{
    const bool ramping = running_ ? output_ < FullOutput : output_ > 0.0;
    if (ramping && rampRate_ > 0)
        return std::clamp(1.0 / rampRate_, MinWakeSeconds, MaxWakeSeconds);
    if (std::fabs(temperature_ - TargetTemperature()) > TemperatureSettled) return MaxWakeSeconds / 2;
    return -1.0;
}
