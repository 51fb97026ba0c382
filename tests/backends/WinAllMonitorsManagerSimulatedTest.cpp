// The merged monitor list over the real platform: the simulated dxva2.dll
// beside this exe plays one DDC/CI monitor behind every display, and WMI and
// the gamma ramp answer as this machine's Wine does.
#include "backends/WinAllMonitorsManager.h"
#include "monitor/MonitorMultiControl.h"
#include "sim/SimulatedDisplays.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>

namespace {

using WinAllMonitorsManagerSimulatedTest = SimulatedMonitorsTest;

TEST_F(WinAllMonitorsManagerSimulatedTest, ListsEachSimulatedMonitorOnceWithADdcCiControlThatReachesIt)
{
    const kelComInitialize com;
    const std::vector<std::wstring> displays = simDisplayNames();
    ASSERT_FALSE(displays.empty());
    SimConfig config;
    for (size_t index = 0; index < displays.size(); ++index) {
        SimMonitorConfig monitor = quickSimMonitor(displays[index]);
        monitor.range(SimRangedValue::Brightness) = {0, 40 + static_cast<std::uint32_t>(index), 80};
        config.monitors.push_back(monitor);
    }
    simulate(config);

    {
        WinAllMonitorsManager manager(WinMonitorPlatform::real(), ControlMethodHardware);
        ASSERT_TRUE(manager.refresh());
        const auto list = manager.monitors();
        ASSERT_EQ(list->size(), displays.size());

        std::set<std::wstring> adapters;
        for (const auto& listed : *list) {
            adapters.insert(listed->adapterDevice()->deviceName());
            const size_t index = std::find(displays.begin(), displays.end(), listed->adapterDevice()->deviceName()) -
                                 displays.begin();
            ASSERT_LT(index, displays.size());
            SCOPED_TRACE(index);
            const auto control = std::dynamic_pointer_cast<MonitorMultiControl>(listed->control());
            ASSERT_TRUE(control);
            EXPECT_EQ(control->backEnds().front()->name(), L"DDC/CI");
            RecordProperty("backEnds" + std::to_string(index), static_cast<int>(control->backEnds().size()));
            EXPECT_EQ(control->controlName(Brightness), L"DDC/CI");
            EXPECT_EQ(listed->displayDevice()->displayName(), L"Generic Non-PnP Monitor");

            std::uint32_t minimum = 0, current = 0, maximum = 0;
            ASSERT_TRUE(control->getBrightness(minimum, current, maximum));
            EXPECT_EQ(std::vector<std::uint32_t>({minimum, current, maximum}),
                      std::vector<std::uint32_t>({0, 40 + static_cast<std::uint32_t>(index), 80}));
            EXPECT_TRUE(control->setBrightness(10 + static_cast<std::uint32_t>(index)));
        }
        EXPECT_EQ(adapters.size(), displays.size()) << "every display once";
    }

    const SimState written = state();
    ASSERT_EQ(written.monitors.size(), displays.size());
    for (size_t index = 0; index < displays.size(); ++index)
        EXPECT_EQ(written.monitors[index].value(SimRangedValue::Brightness), 10 + index) << index;
}

} // namespace
