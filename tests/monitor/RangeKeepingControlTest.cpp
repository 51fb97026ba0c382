#include "monitor/FakeMonitorControl.h"
#include "monitor/RangeKeepingControl.h"
#include "profiles/MonitorProfile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

struct WriteCase {
    const char* name;
    // Reads the range through the control before anything else happens.
    bool readFirst;
    // What happens to the monitor after that read.
    std::function<void(FakeMonitorControl::Level&)> change;
    // How many times 0.8 of the range is written.
    int writes;
    bool written;
    int gets;
    int sets;
    std::uint32_t endsAt;
};

class RangeKeepingControlTest : public testing::TestWithParam<WriteCase> {
protected:
    std::shared_ptr<FakeMonitorControl> device = std::make_shared<FakeMonitorControl>(L"DDC/CI", ControlMethodHardware);
    RangeKeepingControl control{device};
};

} // namespace

TEST_P(RangeKeepingControlTest, WritesAFractionWithTheRangeItLastReadAndReadsAgainOnlyAfterAFailedWrite)
{
    const WriteCase& c = GetParam();
    if (c.readFirst) {
        std::uint32_t minimum = 0, current = 0, maximum = 0;
        ASSERT_TRUE(control.getBrightness(minimum, current, maximum));
    }
    if (c.change)
        c.change(device->brightness);

    bool written = true;
    for (int write = 0; write < c.writes; ++write)
        written = control.writeFraction({Brightness}, 0.8f);

    EXPECT_EQ(written, c.written);
    EXPECT_EQ(device->brightness.gets, c.gets);
    EXPECT_EQ(device->brightness.sets, c.sets);
    EXPECT_EQ(device->brightness.current, c.endsAt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangeKeepingControlTest,
    testing::Values(
        WriteCase{"KnownRangeIsWrittenWithoutARead", true, nullptr, 1, true, 1, 1, 80},
        WriteCase{"EveryLaterWriteToo", true, nullptr, 3, true, 1, 3, 80},
        WriteCase{"ALevelNeverReadIsReadFirst", false, nullptr, 1, true, 1, 1, 80},
        WriteCase{"ARangeThatChangedIsReadAgainAndWrittenOnceMore", true,
                  [](FakeMonitorControl::Level& level) { level.maximum = 50; }, 1, true, 2, 2, 40},
        WriteCase{"AWriteRefusedTwiceFails", true, [](FakeMonitorControl::Level& level) { level.setFails = true; }, 1,
                  false, 2, 2, 50},
        WriteCase{"AMonitorThatHasGoneCostsOneReadPerWriteOnceItsRangeIsForgotten", true,
                  [](FakeMonitorControl::Level& level) { level.getFails = level.setFails = true; }, 3, false, 4, 1,
                  50}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(RangeKeepingControl, RangesAreLearntByEveryReadAndKeptPerLevelAndChannel)
{
    const auto device = std::make_shared<FakeMonitorControl>(L"DDC/CI", ControlMethodHardware);
    device->contrast = {10, 20, 30};
    device->gains[Red] = {0, 100, 255};
    device->gains[Green] = {0, 50, 100};
    RangeKeepingControl control(device);
    // A capture reads each level through the control, as the worker's reads of all values do.
    MonitorProfile captured;
    ASSERT_TRUE(captured.captureFrom(control));

    ASSERT_TRUE(control.writeFraction({Contrast}, 0.5f));
    ASSERT_TRUE(control.writeFraction({RgbGain, Red}, 0.5f));
    ASSERT_TRUE(control.writeFraction({RgbGain, Green}, 0.25f));

    EXPECT_EQ(device->contrast.current, 20u);
    EXPECT_EQ(device->gains[Red].current, 127u);
    EXPECT_EQ(device->gains[Green].current, 25u);
    EXPECT_EQ(device->contrast.gets, 1);
    EXPECT_EQ(device->gains[Red].gets, 1);
    EXPECT_EQ(device->gains[Green].gets, 1);
}

TEST(RangeKeepingControl, PassesEveryOtherCallOnAndWritesNoLevelWithoutARange)
{
    const auto device = std::make_shared<FakeMonitorControl>(L"GammaRamp", ControlMethodGammaRamp);
    device->supported[RgbDrive] = true;
    device->savedState = "kept";
    RangeKeepingControl control(device);

    EXPECT_EQ(control.name(), L"GammaRamp");
    EXPECT_EQ(control.controlName(Contrast), L"GammaRamp");
    EXPECT_EQ(control.controlMethodFor(Brightness), ControlMethodGammaRamp);
    EXPECT_TRUE(control.isSupported(RgbDrive));
    EXPECT_FALSE(control.isSupported(ColorTemperature));
    EXPECT_EQ(control.saveState(Original), "kept");
    EXPECT_TRUE(control.restoreState(Original, "again"));
    EXPECT_EQ(device->restoredState, "again");
    EXPECT_TRUE(control.setDrive(Blue, 7));
    EXPECT_EQ(device->drives[Blue].current, 7u);

    EXPECT_FALSE(control.writeFraction({RgbDrive, Blue}, 0.5f));
    EXPECT_EQ(device->drives[Blue].gets, 0);
    EXPECT_EQ(device->drives[Blue].sets, 1);
}
