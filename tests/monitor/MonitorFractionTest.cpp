#include "monitor/MonitorFraction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

struct FractionToValueCase {
    std::uint32_t minimum, maximum;
    float fraction;
    std::uint32_t expected;
};

class FractionToValue : public ::testing::TestWithParam<FractionToValueCase> {};

TEST_P(FractionToValue, TruncatesIntoTheRange)
{
    const auto& c = GetParam();
    EXPECT_EQ(monitorValueFromFraction(c.minimum, c.maximum, c.fraction), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FractionToValue,
    ::testing::Values(FractionToValueCase{0, 100, 1.0f, 100}, FractionToValueCase{0, 100, 0.999f, 99},
                      FractionToValueCase{0, 100, 0.0f, 0}, FractionToValueCase{0, 50, 0.4f, 20},
                      FractionToValueCase{20, 80, 0.5f, 50},
                      // Damaged input never leaves the device's range.
                      FractionToValueCase{0, 100, 5.0f, 100}, FractionToValueCase{0, 100, -0.5f, 0},
                      FractionToValueCase{10, 100, std::numeric_limits<float>::quiet_NaN(), 10},
                      // A range with no width can only be its minimum.
                      FractionToValueCase{40, 40, 0.7f, 40}, FractionToValueCase{60, 40, 0.5f, 60}));

TEST(MonitorFraction, ReadsTheShareOfTheRange)
{
    EXPECT_FLOAT_EQ(monitorFraction(20, 50, 80), 0.5f);
    EXPECT_FLOAT_EQ(monitorFraction(0, 100, 100), 1.0f);
    EXPECT_FLOAT_EQ(monitorFraction(0, 33, 100), 0.33f);
}

TEST(MonitorFraction, OddRangesGiveAFractionWithinZeroAndOne)
{
    EXPECT_EQ(monitorFraction(50, 50, 50), 0.0f);  // no width: no division by zero
    EXPECT_EQ(monitorFraction(20, 10, 80), 0.0f);  // below the minimum: no unsigned wrap-around
    EXPECT_EQ(monitorFraction(20, 90, 80), 1.0f);  // above the maximum
    EXPECT_FALSE(std::isnan(monitorFraction(7, 7, 7)));
}
