#include "backends/GammaRampFormulas.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint64_t fullOutput = 65535;
constexpr std::int64_t stepOfFactorZero = 128;

std::size_t firstEntryOf(ColorChannel channel)
{
    return static_cast<std::size_t>(channel) * gammaRampChannelSize;
}

} // namespace

std::uint64_t saturatingTruncate(float value, std::uint64_t maximum)
{
    if (std::isnan(value) || value <= 0.0f)
        return 0;
    if (value >= static_cast<float>(maximum))
        return maximum;
    return static_cast<std::uint64_t>(value);
}

void fillGammaChannel(GammaRamp& ramp, ColorChannel channel, float factor)
{
    // Every entry past 0 reaches full output once the step does, so holding
    // the step there changes no entry and keeps i x step from overflowing.
    const std::uint64_t step = saturatingTruncate(factor * 256.0f + 128.0f, fullOutput);
    const std::size_t first = firstEntryOf(channel);
    for (std::size_t i = 0; i < gammaRampChannelSize; ++i)
        ramp[first + i] = static_cast<std::uint16_t>(std::min<std::uint64_t>(i * step, fullOutput));
}

float estimateGammaChannel(const GammaRamp& ramp, ColorChannel channel)
{
    const std::size_t first = firstEntryOf(channel);
    std::int64_t sum = 0;
    for (std::size_t i = 1; i < gammaRampChannelSize; ++i) {
        const auto step = static_cast<std::int64_t>(ramp[first + i] / i);
        sum += std::max<std::int64_t>(step - stepOfFactorZero, 0);
    }
    const double mean = static_cast<double>(sum) / static_cast<double>(gammaRampChannelSize - 1);
    return static_cast<float>(mean / 256.0);
}

GammaRamp GammaCoefficients::ramp() const
{
    GammaRamp made{};
    for (ColorChannel channel : {Red, Green, Blue})
        fillGammaChannel(made, channel, rgb * channels[channel]);
    return made;
}

GammaCoefficients GammaCoefficients::estimatedFrom(const GammaRamp& ramp)
{
    GammaCoefficients estimated;
    for (ColorChannel channel : {Red, Green, Blue})
        estimated.channels[channel] = estimateGammaChannel(ramp, channel);
    const float largest = *std::max_element(estimated.channels.begin(), estimated.channels.end());
    if (largest > 1.0f) {
        estimated.rgb = largest;
        for (float& coefficient : estimated.channels)
            coefficient /= largest;
    }
    return estimated;
}
