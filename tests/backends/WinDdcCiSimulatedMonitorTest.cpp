// The DDC/CI back-end end to end: the real user32 and dxva2 calls, answered
// by the simulated dxva2.dll beside this exe, one simulated monitor behind
// every display the platform lists.
#include "backends/WinDdcCiMonitorsManager.h"
#include "backends/WinDisplayDevicesApi.h"
#include "backends/WinDxva2MonitorConfigurationApi.h"
#include "sim/SimulatedDisplays.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

std::shared_ptr<const WinMonitorPlatform> realDdcCiPlatform()
{
    auto platform = std::make_shared<WinMonitorPlatform>();
    platform->displayDevices = std::make_shared<WinUser32DisplayDevicesApi>();
    platform->monitorConfiguration = std::make_shared<WinDxva2MonitorConfigurationApi>();
    return platform;
}

using WinDdcCiSimulatedMonitorTest = SimulatedMonitorsTest;

TEST_F(WinDdcCiSimulatedMonitorTest, ListsEachSimulatedMonitorOnceAndItsWritesReachTheDevice)
{
    const std::vector<std::wstring> displays = simDisplayNames();
    ASSERT_FALSE(displays.empty());
    RecordProperty("displays", static_cast<int>(displays.size()));
    SimConfig config;
    for (size_t index = 0; index < displays.size(); ++index) {
        SimMonitorConfig monitor = quickSimMonitor(displays[index]);
        monitor.range(SimRangedValue::Brightness) = {10, 20 + static_cast<std::uint32_t>(index), 90};
        monitor.range(SimRangedValue::Contrast) = {5, 30 + static_cast<std::uint32_t>(index), 80};
        config.monitors.push_back(monitor);
    }
    // A physical monitor that no monitor device describes: dxva2 lists it, the back-end must not.
    SimMonitorConfig stray = quickSimMonitor(displays[0]);
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
