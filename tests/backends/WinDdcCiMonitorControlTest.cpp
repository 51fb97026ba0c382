#include "backends/WinDdcCiMonitorControl.h"
#include "backends/FakeMonitorConfigurationApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using PhysicalMonitor = FakeMonitorConfigurationApi::PhysicalMonitor;
using Level = FakeMonitorConfigurationApi::Level;

constexpr std::array<MonitorValueKind, monitorValueKindCount> allKinds{Brightness, Contrast, ColorTemperature, RgbGain,
                                                                       RgbDrive};

class WinDdcCiMonitorControlTest : public ::testing::Test {
protected:
    WinDdcCiMonitorControlTest() { api->addDisplay(L"\\\\.\\DISPLAY1").monitors.emplace_back(); }

    PhysicalMonitor& screen() { return api->monitor(0, 0); }

    std::unique_ptr<WinDdcCiMonitorControl> makeControl()
    {
        return std::make_unique<WinDdcCiMonitorControl>(api, api->open(0, 0));
    }

    void expectSupport(MonitorControl& control, const std::vector<MonitorValueKind>& kinds,
                       const std::vector<int>& indexes)
    {
        for (MonitorValueKind kind : allKinds) {
            const bool expected = std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
            EXPECT_EQ(control.isSupported(kind), expected) << "kind " << kind;
        }
        for (int index = 0; index < 64; ++index) {
            const bool expected = std::find(indexes.begin(), indexes.end(), index) != indexes.end();
            EXPECT_EQ(control.isColorTemperatureSupported(index), expected) << "colour temperature " << index;
        }
    }

    std::shared_ptr<FakeMonitorConfigurationApi> api = std::make_shared<FakeMonitorConfigurationApi>();
};

TEST_F(WinDdcCiMonitorControlTest, CapabilitiesSetTheSupportedKindsAndPresetsWithoutProbing)
{
    struct Case {
        const char* name;
        DWORD capabilities;
        DWORD colorTemperatures;
        std::vector<MonitorValueKind> kinds;
        std::vector<int> indexes;
    };
    const std::vector<Case> cases = {
        {"everything",
         0x3e,
         0xff,
         {Brightness, Contrast, ColorTemperature, RgbGain, RgbDrive},
         {0, 1, 2, 3, 4, 5, 6, 7}},
        {"brightness and colour temperature",
         MC_CAPS_BRIGHTNESS | MC_CAPS_COLOR_TEMPERATURE,
         MC_SUPPORTED_COLOR_TEMPERATURE_6500K | MC_SUPPORTED_COLOR_TEMPERATURE_9300K,
         {Brightness, ColorTemperature},
         {2, 5}},
        {"contrast, gain and drive",
         MC_CAPS_CONTRAST | MC_CAPS_RED_GREEN_BLUE_GAIN | MC_CAPS_RED_GREEN_BLUE_DRIVE,
         MC_SUPPORTED_COLOR_TEMPERATURE_4000K | MC_SUPPORTED_COLOR_TEMPERATURE_11500K,
         {Contrast, RgbGain, RgbDrive},
         {0, 7}},
        {"only bits without a value",
         MC_CAPS_MONITOR_TECHNOLOGY_TYPE | MC_CAPS_DEGAUSS | MC_CAPS_RESTORE_FACTORY_DEFAULTS,
         0xff00,
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen().capabilities = c.capabilities;
        screen().colorTemperatures = c.colorTemperatures;
        screen().commands = 0;
        const auto control = makeControl();
        expectSupport(*control, c.kinds, c.indexes);
        EXPECT_EQ(screen().commands, 1) << "the capabilities call only";
    }
}

TEST_F(WinDdcCiMonitorControlTest, ArgumentsOutsideTheFlagSetsAreNotSupported)
{
    screen().colorTemperatures = 0xffffffff;
    const auto control = makeControl();
    for (int kind : {-1, monitorValueKindCount, 64, 1000})
        EXPECT_FALSE(control->isSupported(static_cast<MonitorValueKind>(kind))) << kind;
    for (int index : {-1, 8, 31, 64})
        EXPECT_FALSE(control->isColorTemperatureSupported(index)) << index;
}

TEST_F(WinDdcCiMonitorControlTest, WithoutCapabilitiesTheReadsThatAnswerAreSupported)
{
    struct Case {
        const char* name;
        std::function<void(PhysicalMonitor&)> setUp;
        std::vector<MonitorValueKind> kinds;
    };
    const std::vector<Case> cases = {
        {"every read answers", [](PhysicalMonitor&) {}, {Brightness, Contrast, ColorTemperature, RgbGain, RgbDrive}},
        {"brightness and contrast only",
         [](PhysicalMonitor& m) { m.gains[Red].getFails = m.drives[Red].getFails = m.colorTemperatureGetFails = true; },
         {Brightness, Contrast}},
        {"unknown colour temperature",
         [](PhysicalMonitor& m) { m.colorTemperature = MC_COLOR_TEMPERATURE_UNKNOWN; },
         {Brightness, Contrast, RgbGain, RgbDrive}},
        {"only the red channels are probed",
         [](PhysicalMonitor& m) { m.brightness.getFails = m.gains[Red].getFails = m.drives[Red].getFails = true; },
         {Contrast, ColorTemperature}},
        {"no answer at all", [](PhysicalMonitor& m) { m.answers = false; }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PhysicalMonitor probed;
        probed.capabilitiesFail = true;
        probed.colorTemperatures = 0xff;
        c.setUp(probed);
        screen() = probed;
        const auto control = makeControl();
        expectSupport(*control, c.kinds, {});
        EXPECT_EQ(screen().brightness.writes + screen().contrast.writes + screen().gains[Red].writes +
                      screen().drives[Red].writes + screen().colorTemperatureWrites,
                  0)
            << "probing only reads";
    }
}

TEST_F(WinDdcCiMonitorControlTest, ColorTemperatureReadsMapPlatformValuesToIndexes)
{
    struct Case {
        const char* name;
        DWORD platformValue;
        bool getFails;
        std::optional<int> index;
    };
    const std::vector<Case> cases = {
        {"4000 K", MC_COLOR_TEMPERATURE_4000K, false, 0},
        {"6500 K", MC_COLOR_TEMPERATURE_6500K, false, 2},
        {"11500 K", MC_COLOR_TEMPERATURE_11500K, false, 7},
        {"unknown", MC_COLOR_TEMPERATURE_UNKNOWN, false, {}},
        {"past the last", 9, false, {}},
        {"failing read", MC_COLOR_TEMPERATURE_5000K, true, {}},
    };
    const auto control = makeControl();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen().colorTemperature = static_cast<MC_COLOR_TEMPERATURE>(c.platformValue);
        screen().colorTemperatureGetFails = c.getFails;
        int index = 42;
        EXPECT_EQ(control->getColorTemperature(index), c.index.has_value());
        EXPECT_EQ(index, c.index.value_or(42)) << "a failed read leaves the output alone";
    }
}

TEST_F(WinDdcCiMonitorControlTest, ColorTemperatureWritesSendThePlatformValueOfTheIndex)
{
    const auto control = makeControl();
    for (const auto& [index, platformValue] :
         {std::pair{0, MC_COLOR_TEMPERATURE_4000K}, std::pair{2, MC_COLOR_TEMPERATURE_6500K},
          std::pair{7, MC_COLOR_TEMPERATURE_11500K}}) {
        EXPECT_TRUE(control->setColorTemperature(index)) << index;
        EXPECT_EQ(screen().colorTemperature, platformValue) << index;
    }
    EXPECT_EQ(screen().colorTemperatureWrites, 3);

    const int commandsBefore = screen().commands;
    for (int index : {8, -1, 64})
        EXPECT_FALSE(control->setColorTemperature(index)) << index;
    EXPECT_EQ(screen().commands, commandsBefore) << "an index without a preset reaches no monitor";

    screen().colorTemperatureSetFails = true;
    EXPECT_FALSE(control->setColorTemperature(1));
}

// Each ranged value through the control, and the fake level it must reach.
struct RangedValue {
    std::string name;
    std::function<Level&(PhysicalMonitor&)> level;
    std::function<bool(MonitorControl&, std::uint32_t&, std::uint32_t&, std::uint32_t&)> read;
    std::function<bool(MonitorControl&, std::uint32_t)> write;
    bool readsBeforeWriting;
};

const std::vector<RangedValue>& rangedValues()
{
    using Range = std::uint32_t&;
    static const std::vector<RangedValue> values = [] {
        std::vector<RangedValue> all = {
            {"brightness", [](PhysicalMonitor& m) -> Level& { return m.brightness; },
             [](MonitorControl& c, Range mn, Range cur, Range mx) { return c.getBrightness(mn, cur, mx); },
             [](MonitorControl& c, std::uint32_t v) { return c.setBrightness(v); }, false},
            {"contrast", [](PhysicalMonitor& m) -> Level& { return m.contrast; },
             [](MonitorControl& c, Range mn, Range cur, Range mx) { return c.getContrast(mn, cur, mx); },
             [](MonitorControl& c, std::uint32_t v) { return c.setContrast(v); }, false},
        };
        for (ColorChannel ch : {Red, Green, Blue}) {
            all.push_back(
                {"gain " + std::to_string(ch), [ch](PhysicalMonitor& m) -> Level& { return m.gains[ch]; },
                 [ch](MonitorControl& c, Range mn, Range cur, Range mx) { return c.getGain(ch, mn, cur, mx); },
                 [ch](MonitorControl& c, std::uint32_t v) { return c.setGain(ch, v); }, true});
            all.push_back(
                {"drive " + std::to_string(ch), [ch](PhysicalMonitor& m) -> Level& { return m.drives[ch]; },
                 [ch](MonitorControl& c, Range mn, Range cur, Range mx) { return c.getDrive(ch, mn, cur, mx); },
                 [ch](MonitorControl& c, std::uint32_t v) { return c.setDrive(ch, v); }, true});
        }
        return all;
    }();
    return values;
}

TEST_F(WinDdcCiMonitorControlTest, EachReadReturnsItsOwnRangeOrLeavesTheOutputsAlone)
{
    const auto control = makeControl();
    // Distinct ranges up to the largest value a monitor can report.
    DWORD next = 0xFFFFFFFF - 3 * static_cast<DWORD>(rangedValues().size()) + 1;
    for (const RangedValue& value : rangedValues()) {
        value.level(screen()) = Level{next, next + 1, next + 2};
        next += 3;
    }

    for (const RangedValue& value : rangedValues()) {
        SCOPED_TRACE(value.name);
        Level& level = value.level(screen());
        std::uint32_t minimum = 1, current = 2, maximum = 3;
        ASSERT_TRUE(value.read(*control, minimum, current, maximum));
        EXPECT_EQ(minimum, level.minimum);
        EXPECT_EQ(current, level.current);
        EXPECT_EQ(maximum, level.maximum);

        level.getFails = true;
        minimum = 1, current = 2, maximum = 3;
        EXPECT_FALSE(value.read(*control, minimum, current, maximum));
        EXPECT_EQ(minimum, 1u);
        EXPECT_EQ(current, 2u);
        EXPECT_EQ(maximum, 3u);
    }
}

TEST_F(WinDdcCiMonitorControlTest, GainsAndDrivesAreWrittenOnlyOnADifferenceBrightnessAndContrastAlways)
{
    const auto control = makeControl();
    for (const RangedValue& value : rangedValues()) {
        SCOPED_TRACE(value.name);
        Level& level = value.level(screen());
        level = Level{0, 40, 100};

        EXPECT_TRUE(value.write(*control, 40));
        EXPECT_EQ(level.writes, value.readsBeforeWriting ? 0 : 1) << "the value the monitor already has";

        level.writes = 0;
        EXPECT_TRUE(value.write(*control, 65));
        EXPECT_EQ(level.current, 65u);
        EXPECT_EQ(level.writes, 1);

        level.writes = 0;
        level.getFails = true;
        EXPECT_EQ(value.write(*control, 70), !value.readsBeforeWriting);
        EXPECT_EQ(level.writes, value.readsBeforeWriting ? 0 : 1) << "a failing read";

        level = Level{0, 40, 100};
        level.setFails = true;
        EXPECT_FALSE(value.write(*control, 80));
        EXPECT_EQ(level.current, 40u);
    }
}

TEST_F(WinDdcCiMonitorControlTest, NamesAndMethodIsHardwareWhateverThePreference)
{
    const auto control = makeControl();
    control->setPreferredControlMethod(ControlMethodGammaRamp);
    EXPECT_EQ(control->name(), L"DDC/CI");
    EXPECT_EQ(control->controlMethod(), ControlMethodHardware);
    for (MonitorValueKind kind : allKinds) {
        EXPECT_EQ(control->controlName(kind), L"DDC/CI");
        EXPECT_EQ(control->controlMethodFor(kind), ControlMethodHardware);
    }
}

TEST_F(WinDdcCiMonitorControlTest, ControlledStateIsEmptyAndRestoringItDoesNothing)
{
    const auto control = makeControl();
    const int commandsBefore = screen().commands;
    EXPECT_EQ(control->saveState(Controlled), "");
    EXPECT_TRUE(control->restoreState(Controlled, "{\"have\":1,\"brightness\":0.5}"));
    EXPECT_TRUE(control->restoreState(Controlled, "not a state"));
    EXPECT_EQ(screen().commands, commandsBefore);
}

TEST_F(WinDdcCiMonitorControlTest, OriginalStateBringsBackTheSavedPicture)
{
    screen().brightness = Level{20, 60, 100};
    screen().contrast = Level{0, 75, 100};
    screen().gains = {Level{0, 50, 200}, Level{0, 100, 200}, Level{0, 150, 200}};
    const auto control = makeControl();
    const std::string original = control->saveState(Original);
    ASSERT_FALSE(original.empty());

    screen().brightness.current = 90;
    screen().contrast.current = 10;
    screen().gains[Red].current = 7;
    for (Level& level : screen().gains)
        level.writes = 0;

    EXPECT_TRUE(control->restoreState(Original, original));
    EXPECT_EQ(screen().brightness.current, 60u);
    EXPECT_EQ(screen().contrast.current, 75u);
    EXPECT_EQ(screen().gains[Red].current, 50u);
    EXPECT_EQ(screen().gains[Green].current, 100u);
    EXPECT_EQ(screen().gains[Blue].current, 150u);
    EXPECT_EQ(screen().gains[Red].writes, 1);
    EXPECT_EQ(screen().gains[Green].writes + screen().gains[Blue].writes, 0) << "unchanged gains are not written";

    screen().brightness.writes = 0;
    EXPECT_FALSE(control->restoreState(Original, "not a state"));
    EXPECT_EQ(screen().brightness.writes, 0);
}

TEST_F(WinDdcCiMonitorControlTest, TheHandleIsReleasedOnceWhenTheControlDies)
{
    auto control = makeControl();
    EXPECT_EQ(api->destroyCalls, 0);
    control.reset();
    EXPECT_EQ(api->destroyCalls, 1);
    EXPECT_EQ(api->liveHandles(), 0u);
    EXPECT_EQ(api->misuses, 0);
}

} // namespace
