#include "backends/GammaRampFormulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

GammaRamp filledWith(ColorChannel channel, float factor)
{
    GammaRamp ramp{};
    fillGammaChannel(ramp, channel, factor);
    return ramp;
}

GammaRamp straightRamp()
{
    GammaRamp ramp{};
    for (std::size_t index = 0; index < ramp.size(); ++index)
        ramp[index] = static_cast<std::uint16_t>(257 * (index % gammaRampChannelSize));
    return ramp;
}

struct FillCase {
    float factor;
    std::uint16_t entry1;
    std::uint16_t entry170;
    std::uint16_t entry171;
    std::uint16_t entry255;
};

class GammaRampFill : public testing::TestWithParam<FillCase> {};

TEST_P(GammaRampFill, RisesByTheStepAndStopsAtFullOutput)
{
    const FillCase expected = GetParam();
    const GammaRamp ramp = filledWith(Green, expected.factor);
    const std::size_t green = gammaRampChannelSize;
    EXPECT_EQ(ramp[green], 0);
    EXPECT_EQ(ramp[green + 1], expected.entry1);
    EXPECT_EQ(ramp[green + 170], expected.entry170);
    EXPECT_EQ(ramp[green + 171], expected.entry171);
    EXPECT_EQ(ramp[green + 255], expected.entry255);
    EXPECT_EQ(ramp[green - 1], 0) << "red is not touched";
    EXPECT_EQ(ramp[2 * green], 0) << "blue is not touched";
}

INSTANTIATE_TEST_SUITE_P(
    Factors, GammaRampFill,
    testing::Values(FillCase{0.0f, 128, 21760, 21888, 32640},     // step 128: half output at the top
                    FillCase{0.5f, 256, 43520, 43776, 65280},     // step 256: next to the straight ramp
                    FillCase{0.251953125f, 192, 32640, 32832, 48960}, // step 192.5 truncated
                    FillCase{1.0f, 384, 65280, 65535, 65535},     // step 384: full output from entry 171
                    // Far beyond any step an entry can show: held, not wrapped.
                    FillCase{1e30f, 65535, 65535, 65535, 65535},
                    FillCase{std::numeric_limits<float>::infinity(), 65535, 65535, 65535, 65535}));

TEST(GammaRampFormulas, TheStraightRampEstimatesTo129Of256)
{
    const GammaRamp straight = straightRamp();
    for (ColorChannel channel : {Red, Green, Blue})
        EXPECT_EQ(estimateGammaChannel(straight, channel), 0.50390625f);
}

TEST(GammaRampFormulas, EstimateInvertsEveryFillThatStaysBelowFullOutput)
{
    // Up to step 257 no entry reaches 65535, so no information is lost.
    for (int gain = 0; gain <= 129; ++gain) {
        const float factor = static_cast<float>(gain) / 256.0f;
        EXPECT_EQ(estimateGammaChannel(filledWith(Blue, factor), Blue), factor) << "gain " << gain;
    }
}

TEST(GammaRampFormulas, ARampDimmerThanFactorZeroEstimatesSmallNotHuge)
{
    GammaRamp dark{};
    EXPECT_EQ(estimateGammaChannel(dark, Red), 0.0f) << "all entries zero";

    // Odd entries below what factor 0 gives count as 0, even ones as step 256.
    for (std::size_t i = 1; i < gammaRampChannelSize; ++i)
        dark[i] = static_cast<std::uint16_t>(i % 2 != 0 ? 100 * i : 256 * i);
    const float expected = static_cast<float>(127.0 * 128.0 / 255.0 / 256.0);
    EXPECT_FLOAT_EQ(estimateGammaChannel(dark, Red), expected);
}

TEST(GammaRampFormulas, CoefficientsOfTheStraightRampAreFullBrightnessAndHalfGains)
{
    const GammaCoefficients estimated = GammaCoefficients::estimatedFrom(straightRamp());
    EXPECT_EQ(estimated.rgb, 1.0f);
    for (float coefficient : estimated.channels)
        EXPECT_EQ(coefficient, 0.50390625f);
}

TEST(GammaRampFormulas, AChannelEstimatedAboveOneBecomesTheBrightness)
{
    GammaRamp ramp = straightRamp();
    fillGammaChannel(ramp, Red, 1.5f);
    const float red = estimateGammaChannel(ramp, Red);
    ASSERT_GT(red, 1.0f);

    const GammaCoefficients estimated = GammaCoefficients::estimatedFrom(ramp);
    EXPECT_EQ(estimated.rgb, red);
    EXPECT_EQ(estimated.channels[Red], 1.0f);
    EXPECT_EQ(estimated.channels[Green], 0.50390625f / red);
    EXPECT_EQ(estimated.channels[Blue], 0.50390625f / red);
}

TEST(GammaRampFormulas, CoefficientsMakeEachChannelFromBrightnessTimesGain)
{
    GammaCoefficients coefficients;
    coefficients.rgb = 0.5f;
    coefficients.channels = {1.0f, 0.5f, 0.0f};
    const GammaRamp made = coefficients.ramp();
    EXPECT_EQ(made[255], 65280) << "red factor 0.5";
    EXPECT_EQ(made[gammaRampChannelSize + 255], 48960) << "green factor 0.25";
    EXPECT_EQ(made[2 * gammaRampChannelSize + 255], 32640) << "blue factor 0";
}

struct TruncateCase {
    float value;
    std::uint64_t expected;
};

class GammaRampSaturatingTruncate : public testing::TestWithParam<TruncateCase> {};

TEST_P(GammaRampSaturatingTruncate, HoldsEveryFloatInsideTheRange)
{
    EXPECT_EQ(saturatingTruncate(GetParam().value, 4294967295u), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, GammaRampSaturatingTruncate,
                         testing::Values(TruncateCase{42.99f, 42}, TruncateCase{0.99f, 0}, TruncateCase{-5.0f, 0},
                                         TruncateCase{std::nanf(""), 0}, TruncateCase{4294967040.0f, 4294967040u},
                                         TruncateCase{4294967296.0f, 4294967295u},
                                         TruncateCase{std::numeric_limits<float>::infinity(), 4294967295u}));

} // namespace
