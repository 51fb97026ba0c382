#include "profiles/ListedMonitor.h"
#include "profiles/MonitorProfile.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TransferCase {
    std::uint32_t sourceMaximum, sourceCurrent;
    std::uint32_t targetMinimum, targetMaximum;
    std::uint32_t expected;
};

class ProfileTransfer : public testing::TestWithParam<TransferCase> {};

} // namespace

// A value captured on one monitor lands at the same share of another's range,
// truncated rather than rounded.
TEST_P(ProfileTransfer, CapturedShareIsWrittenIntoTheOtherRange)
{
    const auto& c = GetParam();
    const auto source = fakeControl(0, c.sourceCurrent, c.sourceMaximum);
    const auto target = fakeControl(c.targetMinimum, c.targetMinimum, c.targetMaximum);
    MonitorProfile profile;
    ASSERT_TRUE(profile.captureFrom(*source));

    profile.applyTo(*target);

    EXPECT_EQ(target->brightness.current, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileTransfer,
                         testing::Values(TransferCase{100, 40, 0, 50, 20}, TransferCase{1000, 999, 0, 100, 99},
                                         TransferCase{100, 100, 0, 100, 100}, TransferCase{100, 50, 10, 20, 15},
                                         TransferCase{100, 0, 5, 80, 5}));

TEST(MonitorProfile, CaptureStoresTheShareOfEachRange)
{
    const auto control = fakeControl(20, 50, 80);
    control->contrast = {0, 25, 100};
    control->gains[Green] = {0, 128, 256};
    MonitorProfile profile;

    profile.captureFrom(*control);

    EXPECT_FLOAT_EQ(profile.brightness, 0.5f);
    EXPECT_FLOAT_EQ(profile.contrast, 0.25f);
    EXPECT_FLOAT_EQ(profile.gains[Green], 0.5f);
}

TEST(MonitorProfile, UnreadableBrightnessAndContrastAreCapturedAsFullAndUnreadableGainsKeepTheirValue)
{
    const auto unsupported = fakeControl(0, 10, 100);
    unsupported->supported[Brightness] = false;
    unsupported->supported[RgbGain] = false;
    const auto failing = fakeControl(0, 10, 100);
    failing->brightness.getFails = true;
    failing->contrast.getFails = true;
    failing->gains[Red].getFails = true;
    const auto noRange = fakeControl(0, 0, 0);
    noRange->contrast = {0, 0, 0};
    noRange->gains[Red] = {0, 0, 0};

    for (const auto& control : {unsupported, failing, noRange}) {
        MonitorProfile profile;
        profile.brightness = profile.contrast = 0.3f;
        profile.gains[Red] = 0.3f;
        profile.captureFrom(*control);
        EXPECT_EQ(profile.brightness, 1.0f);
        EXPECT_EQ(profile.contrast, control == unsupported ? 0.5f : 1.0f);
        EXPECT_EQ(profile.gains[Red], 0.3f);
        EXPECT_EQ(profile.gains.size(), 3u);
    }
}

TEST(MonitorProfile, ApplyLeavesUnsupportedAndUnreadableValuesAlone)
{
    const auto control = fakeControl(0, 10, 100);
    control->supported[Contrast] = false;
    control->gains[Blue].getFails = true;
    MonitorProfile profile;
    profile.brightness = profile.contrast = 0.5f;
    profile.gains = {{Red, 0.25f}, {Green, 0.5f}, {Blue, 0.75f}};

    profile.applyTo(*control);

    EXPECT_EQ(control->brightness.current, 50u);
    EXPECT_EQ(control->contrast.sets, 0);
    EXPECT_EQ(control->gains[Red].current, 25u);
    EXPECT_EQ(control->gains[Green].current, 50u);
    EXPECT_EQ(control->gains[Blue].sets, 0);
}

// A fraction outside 0..1 can only come from a damaged or hand-edited file;
// the device is never asked for a value outside its range.
TEST(MonitorProfile, DamagedFractionsAreWrittenWithinTheRange)
{
    const auto control = fakeControl(10, 50, 90);
    MonitorProfile profile;
    for (const auto& [fraction, expected] : {std::pair{7.0f, 90u}, std::pair{-2.0f, 10u},
                                            std::pair{std::numeric_limits<float>::quiet_NaN(), 10u}}) {
        profile.brightness = fraction;
        profile.applyTo(*control);
        EXPECT_EQ(control->brightness.current, expected);
    }
    EXPECT_EQ(control->brightness.sets, 3);
}
