#pragma once

#include <cstdint>

// Levels travel between devices as fractions of each device's own range, so
// a profile means the same on a 0..100 and a 0..50 monitor. Writing truncates,
// never rounds: 0.999 of 0..100 is 99.

// A current value outside its range, or a range with no width, would make the
// fraction meaningless; those read as the nearest end (an empty range as 0).
float monitorFraction(std::uint32_t minimum, std::uint32_t current, std::uint32_t maximum);

// A fraction outside 0..1 (or not a number, from a damaged file) is clamped
// so the result always lies within the device's range.
std::uint32_t monitorValueFromFraction(std::uint32_t minimum, std::uint32_t maximum, float fraction);
