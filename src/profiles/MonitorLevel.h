#pragma once

#include "monitor/MonitorValueKinds.h"

#include <cstdint>
#include <optional>

class MonitorControl;

// One level a profile keeps: brightness, contrast or one channel's gain.
// channel matters only for RgbGain.
struct MonitorLevel {
    MonitorValueKind kind;
    ColorChannel channel = Red;
};

// The level's share of its range, or nothing when it cannot be read or the
// control reports a maximum of 0 (a range it does not really have).
std::optional<float> readLevelFraction(MonitorControl& control, MonitorLevel level);

// Reads the level's range and writes the fraction of it; false if the read
// or the write fails, in which case the device keeps its old value.
bool writeLevelFraction(MonitorControl& control, MonitorLevel level, float fraction);
