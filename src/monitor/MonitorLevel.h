#pragma once

#include "monitor/MonitorValueKinds.h"

#include <cstdint>
#include <optional>

class MonitorControl;

// One level of a monitor's picture that is kept as a fraction: brightness,
// contrast or one channel's gain. channel matters only for RgbGain.
struct MonitorLevel {
    MonitorValueKind kind;
    ColorChannel channel = Red;
};

// A level as the control reports it, in the device's own units.
struct MonitorLevelReading {
    std::uint32_t minimum;
    std::uint32_t current;
    std::uint32_t maximum;

    float fraction() const;
};

// Through the control's getter for that level; nothing when the read fails.
std::optional<MonitorLevelReading> readLevel(MonitorControl& control, MonitorLevel level);
// Through the control's setter for that level.
bool setLevel(MonitorControl& control, MonitorLevel level, std::uint32_t value);

// The level's share of its range, or nothing when it cannot be read or the
// control reports a maximum of 0 (a range it does not really have).
std::optional<float> readLevelFraction(MonitorControl& control, MonitorLevel level);

// Reads the level's range and writes the fraction of it; false if the read
// or the write fails, in which case the device keeps its old value.
bool writeLevelFraction(MonitorControl& control, MonitorLevel level, float fraction);
