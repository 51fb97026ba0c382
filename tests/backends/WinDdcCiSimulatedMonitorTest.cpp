// The DDC/CI back-end end to end: the real user32 and dxva2 calls, answered
// by the simulated dxva2.dll beside this exe, one simulated monitor behind
// every display the platform lists.
#include "backends/WinDdcCiMonitorsManager.h"
#include "backends/WinDisplayDevicesApi.h"
#include "backends/WinDxva2MonitorConfigurationApi.h"
#include "sim/SimScratchFolder.h"
#include "sim/dll/SimMonitorConfig.h"
#include "sim/dll/SimMonitorState.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK collectDisplayName(HMONITOR display, HDC, LPRECT, LPARAM names)
{
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(display, &info))
        reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(info.szDevice);
    return TRUE;
}

std::vector<std::wstring> displayNames()
{
    std::vector<std::wstring> names;
    EnumDisplayMonitors(nullptr, nullptr, collectDisplayName, reinterpret_cast<LPARAM>(&names));
    return names;
}

std::shared_ptr<const WinMonitorPlatform> realDdcCiPlatform()
{
    auto platform = std::make_shared<WinMonitorPlatform>();
    platform->displayDevices = std::make_shared<WinUser32DisplayDevicesApi>();
    platform->monitorConfiguration = std::make_shared<WinDxva2MonitorConfigurationApi>();
    return platform;
}

SimMonitorConfig quickMonitor(const std::wstring& display)
{
    SimMonitorConfig monitor;
    monitor.display = display;
    monitor.readDelayMs = 0;
    monitor.writeDelayMs = 0;
    return monitor;
}

class WinDdcCiSimulatedMonitorTest : public ::testing::Test {
protected:
    void TearDown() override { SetEnvironmentVariableW(simConfigVariable, nullptr); }

    void simulate(const SimConfig& config)
    {
        ASSERT_TRUE(saveSimConfigFile(configPath, config));
        ASSERT_TRUE(SetEnvironmentVariableW(simConfigVariable, configPath.c_str()));
    }

    SimState state() const
    {
        SimParsed<SimState> read = readSimStateFile(configPath.native() + L".state");
        EXPECT_TRUE(read) << read.error;
        return read.value.value_or(SimState{});
    }

    SimScratchFolder folder;
    std::filesystem::path configPath = folder.path() / L"monitors.cfg";
};

TEST_F(WinDdcCiSimulatedMonitorTest, ListsEachSimulatedMonitorOnceAndItsWritesReachTheDevice)
{
    const std::vector<std::wstring> displays = displayNames();
    ASSERT_FALSE(displays.empty());
    RecordProperty("displays", static_cast<int>(displays.size()));
    SimConfig config;
    for (size_t index = 0; index < displays.size(); ++index) {
        SimMonitorConfig monitor = quickMonitor(displays[index]);
        monitor.range(SimRangedValue::Brightness) = {10, 20 + static_cast<std::uint32_t>(index), 90};
        monitor.range(SimRangedValue::Contrast) = {5, 30 + static_cast<std::uint32_t>(index), 80};
        config.monitors.push_back(monitor);
    }
    // A physical monitor that no monitor device describes: dxva2 lists it, the back-end must not.
    SimMonitorConfig stray = quickMonitor(displays[0]);
    stray.description = L"Stray Panel";
    config.monitors.push_back(stray);
    simulate(config);

    {
        WinDdcCiMonitorsManager manager(realDdcCiPlatform());
        ASSERT_TRUE(manager.refresh());
        const auto list = manager.monitors();
        ASSERT_EQ(list->size(), displays.size());

        std::set<std::wstring> adapters;
        for (size_t index = 0; index < list->size(); ++index) {
            SCOPED_TRACE(index);
            const MonitorManager& listed = *list->at(index);
            adapters.insert(listed.adapterDevice()->deviceName());
            EXPECT_EQ(listed.adapterDevice()->deviceName(), displays[index]);
            EXPECT_EQ(listed.displayDevice()->displayName(), L"Generic Non-PnP Monitor");

            MonitorControl& control = *listed.control();
            for (MonitorValueKind kind : {Brightness, Contrast, ColorTemperature, RgbGain, RgbDrive})
                EXPECT_TRUE(control.isSupported(kind)) << kind;
            EXPECT_TRUE(control.isColorTemperatureSupported(1)) << "5000 K";
            EXPECT_FALSE(control.isColorTemperatureSupported(0)) << "4000 K";
            std::uint32_t minimum = 0, current = 0, maximum = 0;
            ASSERT_TRUE(control.getBrightness(minimum, current, maximum));
            EXPECT_EQ(std::vector<std::uint32_t>({minimum, current, maximum}),
                      std::vector<std::uint32_t>({10, 20 + static_cast<std::uint32_t>(index), 90}));
            ASSERT_TRUE(control.getContrast(minimum, current, maximum));
            EXPECT_EQ(std::vector<std::uint32_t>({minimum, current, maximum}),
                      std::vector<std::uint32_t>({5, 30 + static_cast<std::uint32_t>(index), 80}));

            EXPECT_TRUE(control.setBrightness(60 + static_cast<std::uint32_t>(index)));
            EXPECT_TRUE(control.setGain(Red, 50)) << "the value the monitor already has";
        }
        EXPECT_EQ(adapters.size(), displays.size()) << "every display once";
    }

    const SimState written = state();
    ASSERT_EQ(written.monitors.size(), config.monitors.size());
    for (size_t index = 0; index < displays.size(); ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(written.monitors[index].value(SimRangedValue::Brightness), 60 + index);
        EXPECT_EQ(written.monitors[index].successfulWrites, 1u) << "the unchanged gain was not sent";
    }
    EXPECT_EQ(written.monitors.back().successfulWrites, 0u);
}

} // namespace
