#pragma once

#include "monitor/MonitorValueKinds.h"

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t gammaRampChannelSize = 256;
// Red entries, then green, then blue: the layout the device-context gamma
// calls read and write.
using GammaRamp = std::array<std::uint16_t, 3 * gammaRampChannelSize>;

// value truncated toward zero and held to 0..maximum; NaN gives 0. A float
// outside the target's range must never reach a plain conversion.
std::uint64_t saturatingTruncate(float value, std::uint64_t maximum);

// Writes one channel so that entry i is i x step, at most 65535, where step is
// factor x 256 + 128 truncated: factor 0 rises to half output, 0.5 is next to
// the straight ramp and 1 reaches full output at entry 171.
void fillGammaChannel(GammaRamp& ramp, ColorChannel channel, float factor);

// The factor fillGammaChannel most likely wrote one channel with. Entries
// below what factor 0 gives count as factor 0, so a ramp dimmer than any this
// formula makes still reads as a small non-negative factor.
float estimateGammaChannel(const GammaRamp& ramp, ColorChannel channel);

// The four numbers a ramp is made from: channel c is filled with
// rgb x channels[c].
struct GammaCoefficients {
    float rgb = 1.0f;
    std::array<float, 3> channels{1.0f, 1.0f, 1.0f};

    // The ramp these coefficients make.
    GammaRamp ramp() const;
    // The inverse of ramp(), lossy: a brightness only shows where some channel
    // estimates above 1, so it is at least 1.
    static GammaCoefficients estimatedFrom(const GammaRamp& ramp);

    bool operator==(const GammaCoefficients&) const = default;
};
