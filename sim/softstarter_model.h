// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Register model of a simulated motor soft starter. Time is passed in by the caller
// (Advance), so the model runs on any clock, including a test's.
//
// Register map (holding registers 0..29):
//   0  run state, bit 0 set while running          4  output level, tenths of a percent
//   1  starting voltage, tenths of a percent       5  current, tenths of an ampere
//   2  soft start time, seconds                    6  temperature, degrees Celsius
//   3  soft stop time, seconds                     7  alarm flags (bit 4: over-temperature)
//   8..29 plain storage (presets only)

#include <array>
#include <cstdint>

class SoftStarterModel {
public:
    static constexpr int RegisterCount = 30;
    static constexpr int WritableRegisters = 4;        // 0..3 accept function 06 writes
    static constexpr std::uint16_t FullOutput = 1000;  // 100.0 %
    static constexpr std::uint16_t FullCurrent = 500;  // 50.0 A at full output
    static constexpr double AmbientTemperature = 25.0;
    static constexpr double FullLoadTemperatureRise = 65.0;
    static constexpr double ThermalTimeConstant = 30.0;  // seconds
    static constexpr double OverTemperatureTrip = 80.0;
    static constexpr double OverTemperatureReset = 70.0;
    static constexpr std::uint16_t OverTemperatureBit = 1u << 4;

    SoftStarterModel();

    // Moves the model on by the given number of seconds (negative or non-finite: ignored).
    void Advance(double seconds);

    std::uint16_t Register(int number) const;   // 0 outside 0..29

    // Function 06 write: registers 0..3 only. Writing register 0 with bit 0 set starts
    // the motor, with bit 0 clear stops it. Returns false for any other register.
    bool Write(int number, std::uint16_t value);

    // Sets any register directly, as the initial state of a demo or test. Register 0 with
    // bit 0 set means the motor is already running at full output; register 4 sets the
    // output level and register 6 the temperature. Returns false outside 0..29.
    bool Preset(int number, std::uint16_t value);

    bool Running() const { return running_; }
    double OutputLevel() const { return output_; }
    double Temperature() const { return temperature_; }

    // Seconds until a register is next due to change; a negative value when the model
    // is at rest and nothing changes until the next write.
    double SecondsToNextChange() const;

private:
    void StartMotor();
    void StopMotor();
    void Step(double seconds);
    double TargetTemperature() const;
    void UpdateDerivedRegisters();

    std::array<std::uint16_t, RegisterCount> registers_{};
    bool running_ = false;
    double output_ = 0.0;        // tenths of a percent
    double rampRate_ = 0.0;      // tenths of a percent per second, towards the ramp's end
    double temperature_ = AmbientTemperature;
};
