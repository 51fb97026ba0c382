#include "backends/WinDdcCiMonitorsManager.h"
#include "backends/FakeDisplayDevicesApi.h"
#include "backends/FakeMonitorConfigurationApi.h"
#include "backends/WinDisplayDeviceInfo.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Display = FakeMonitorConfigurationApi::Display;
using PhysicalMonitor = FakeMonitorConfigurationApi::PhysicalMonitor;

const std::wstring display1 = L"\\\\.\\DISPLAY1";
const std::wstring display2 = L"\\\\.\\DISPLAY2";
const std::wstring generic = L"Generic Non-PnP Monitor";

// Where one listed monitor was found: its adapter's description and its
// monitor device's name, which the tests make unique.
struct Listed {
    std::wstring adapter;
    std::wstring monitorDevice;
    bool operator==(const Listed&) const = default;
};

void PrintTo(const Listed& listed, std::ostream* out)
{
    *out << std::string(listed.adapter.begin(), listed.adapter.end()) << " / "
         << std::string(listed.monitorDevice.begin(), listed.monitorDevice.end());
}

PhysicalMonitor physical(std::wstring description, DWORD brightness = 50)
{
    PhysicalMonitor monitor;
    monitor.description = std::move(description);
    monitor.brightness.current = brightness;
    return monitor;
}

// A snapshot laid out by hand, for what the platform's enumeration never
// lists: two adapters under one device name.
class HandMadeSnapshot : public DisplayDevicesInfo {
public:
    void addAdapter(const std::wstring& deviceName, const std::wstring& label,
                    const std::vector<std::wstring>& descriptions)
    {
        auto adapter = device(deviceName, L"Adapter " + label);
        adapterList.push_back(adapter);
        DisplayDeviceList& monitors = monitorsByAdapter[adapter.get()];
        for (size_t index = 0; index < descriptions.size(); ++index)
            monitors.push_back(device(label + std::to_wstring(index), descriptions[index]));
        monitorList.insert(monitorList.end(), monitors.begin(), monitors.end());
    }

    DisplayDeviceList adapters() const override { return adapterList; }
    DisplayDeviceList allMonitors() const override { return monitorList; }
    DisplayDeviceList monitorsOf(const std::shared_ptr<DisplayDeviceInfo>& adapter) const override
    {
        return monitorsByAdapter.at(adapter.get());
    }

private:
    static std::shared_ptr<DisplayDeviceInfo> device(const std::wstring& name, const std::wstring& description)
    {
        return std::make_shared<WinDisplayDeviceInfo>(WinDisplayDeviceInfo::Fields{1, name, description, L"", L""});
    }

    DisplayDeviceList adapterList;
    DisplayDeviceList monitorList;
    std::map<const DisplayDeviceInfo*, DisplayDeviceList> monitorsByAdapter;
};

class WinDdcCiMonitorsManagerTest : public ::testing::Test {
public:
    // Public, so the set-up steps of table cases can reach them.
    // An adapter whose monitor devices are named "<label><index>" and described as given.
    void addAdapter(const std::wstring& deviceName, const std::wstring& label,
                    const std::vector<std::wstring>& descriptions)
    {
        auto& adapter = devices->addAdapter(deviceName, L"Adapter " + label);
        for (size_t index = 0; index < descriptions.size(); ++index)
            adapter.monitors.push_back(
                {label + std::to_wstring(index), descriptions[index], L"MONITOR\\" + label, L""});
    }

    Display& addDisplay(const std::wstring& deviceName, std::vector<PhysicalMonitor> monitors)
    {
        Display& display = config->addDisplay(deviceName);
        display.monitors = std::move(monitors);
        return display;
    }

    std::shared_ptr<WinDdcCiMonitorsManager> makeManager() const
    {
        auto platform = std::make_shared<WinMonitorPlatform>();
        platform->displayDevices = devices;
        platform->monitorConfiguration = config;
        return std::make_shared<WinDdcCiMonitorsManager>(platform);
    }

    // Refreshes a new manager; the list keeps the manager's controls alive.
    std::shared_ptr<const MonitorManagerList> refreshed(bool expectedResult = true) const
    {
        const auto manager = makeManager();
        EXPECT_EQ(manager->refresh(), expectedResult);
        return manager->monitors();
    }

    static std::vector<Listed> whereListed(const MonitorManagerList& list)
    {
        std::vector<Listed> found;
        for (const auto& monitor : list)
            found.push_back({monitor->adapterDevice()->displayName(), monitor->displayDevice()->deviceName()});
        return found;
    }

    static std::uint32_t brightnessOf(const MonitorManager& monitor)
    {
        std::uint32_t minimum = 0, current = 0, maximum = 0;
        EXPECT_TRUE(monitor.control()->getBrightness(minimum, current, maximum));
        return current;
    }

    std::shared_ptr<FakeDisplayDevicesApi> devices = std::make_shared<FakeDisplayDevicesApi>();
    std::shared_ptr<FakeMonitorConfigurationApi> config = std::make_shared<FakeMonitorConfigurationApi>();
};

TEST_F(WinDdcCiMonitorsManagerTest, PairsEachPhysicalMonitorWithTheMonitorDeviceOfItsDisplay)
{
    addAdapter(display1, L"A", {generic});
    addAdapter(display2, L"B", {L"Panel One", L"Panel Two"});
    addDisplay(display1, {physical(generic, 11)});
    addDisplay(display2, {physical(L"Panel Two", 22)});

    const auto list = refreshed();

    ASSERT_EQ(whereListed(*list), (std::vector<Listed>{{L"Adapter A", L"A0"}, {L"Adapter B", L"B1"}}));
    EXPECT_EQ(brightnessOf(*list->at(0)), 11u);
    EXPECT_EQ(brightnessOf(*list->at(1)), 22u);
    EXPECT_EQ(list->at(1)->control()->name(), L"DDC/CI");
    EXPECT_EQ(config->liveHandles(), 2u);
}

TEST_F(WinDdcCiMonitorsManagerTest, MatchingIsExactAndLimitedToTheAdaptersOfTheDisplay)
{
    struct Case {
        const char* name;
        std::function<void(WinDdcCiMonitorsManagerTest&)> setUp;
        std::vector<Listed> listed;
    };
    const std::vector<Case> cases = {
        {"two physical monitors with one description share the first equal device",
         [](auto& t) {
             t.addAdapter(display1, L"A", {L"Other", generic, generic});
             t.addDisplay(display1, {physical(generic), physical(generic)});
         },
         {{L"Adapter A", L"A1"}, {L"Adapter A", L"A1"}}},
        {"a description matching no device is skipped",
         [](auto& t) {
             t.addAdapter(display1, L"A", {generic});
             t.addDisplay(display1, {physical(L"Unknown Panel"), physical(generic)});
         },
         {{L"Adapter A", L"A0"}}},
        {"descriptions compare case-sensitively",
         [](auto& t) {
             t.addAdapter(display1, L"A", {generic});
             t.addDisplay(display1, {physical(L"generic non-pnp monitor")});
         },
         {}},
        {"display names compare case-sensitively",
         [](auto& t) {
             t.addAdapter(display1, L"A", {generic});
             t.addDisplay(L"\\\\.\\display1", {physical(generic)});
         },
         {}},
        {"only the adapters of the display are searched",
         [](auto& t) {
             t.addAdapter(display1, L"A", {L"Other"});
             t.addAdapter(display2, L"B", {generic});
             t.addDisplay(display1, {physical(generic)});
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        devices->adapters.clear();
        config->displays.clear();
        c.setUp(*this);

        const auto list = refreshed();

        EXPECT_EQ(whereListed(*list), c.listed);
        EXPECT_EQ(config->liveHandles(), list->size()) << "unmatched handles are released at once";
    }
    EXPECT_EQ(config->misuses, 0);
}

TEST_F(WinDdcCiMonitorsManagerTest, TheAdapterOfTheLastMatchIsSearchedFirst)
{
    const std::vector<std::pair<std::vector<std::wstring>, std::vector<Listed>>> cases = {
        {{L"Y", L"X"}, {{L"Adapter B", L"B1"}, {L"Adapter B", L"B0"}}},
        {{L"X", L"Y", L"X"}, {{L"Adapter A", L"A0"}, {L"Adapter B", L"B1"}, {L"Adapter B", L"B0"}}},
    };
    for (const auto& [descriptions, listed] : cases) {
        auto snapshot = std::make_shared<HandMadeSnapshot>();
        snapshot->addAdapter(display1, L"A", {L"X"});
        snapshot->addAdapter(display1, L"B", {L"X", L"Y"});
        config->displays.clear();
        Display& display = config->addDisplay(display1);
        for (const std::wstring& description : descriptions)
            display.monitors.push_back(physical(description));
        const auto manager = makeManager();

        ASSERT_TRUE(manager->enumerateWith(snapshot));

        EXPECT_EQ(whereListed(*manager->monitors()), listed);
    }
}

TEST_F(WinDdcCiMonitorsManagerTest, AMonitorAnsweringNothingIsListedWithNothingSupported)
{
    addAdapter(display1, L"A", {generic});
    PhysicalMonitor silent = physical(generic);
    silent.answers = false;
    addDisplay(display1, {silent});

    const auto list = refreshed();

    ASSERT_EQ(list->size(), 1u);
    for (MonitorValueKind kind : {Brightness, Contrast, ColorTemperature, RgbGain, RgbDrive})
        EXPECT_FALSE(list->at(0)->control()->isSupported(kind)) << kind;
}

TEST_F(WinDdcCiMonitorsManagerTest, AFailingPlatformCallSkipsOneDisplayOnly)
{
    const std::vector<std::pair<const char*, std::function<void(Display&)>>> failures = {
        {"count", [](Display& d) { d.countFails = true; }},
        {"records", [](Display& d) { d.recordsFail = true; }},
        {"monitor info", [](Display& d) { d.infoFails = true; }},
    };
    for (const auto& [name, fail] : failures) {
        SCOPED_TRACE(name);
        devices->adapters.clear();
        config->displays.clear();
        addAdapter(display1, L"A", {generic});
        addAdapter(display2, L"B", {generic});
        fail(addDisplay(display1, {physical(generic), physical(generic)}));
        addDisplay(display2, {physical(generic, 22)});

        const auto list = refreshed();

        ASSERT_EQ(whereListed(*list), (std::vector<Listed>{{L"Adapter B", L"B0"}}));
        EXPECT_EQ(brightnessOf(*list->at(0)), 22u);
        EXPECT_EQ(config->liveHandles(), 1u);
    }
    EXPECT_EQ(config->misuses, 0);
}

TEST_F(WinDdcCiMonitorsManagerTest, AFailedEnumerationIsTheResult)
{
    addAdapter(display1, L"A", {generic});
    addDisplay(display1, {physical(generic)});
    config->enumerationFails = true;

    EXPECT_TRUE(refreshed(false)->empty());
}

TEST_F(WinDdcCiMonitorsManagerTest, HandlesAreReleasedWhenTheirControlsAreDropped)
{
    addAdapter(display1, L"A", {generic});
    addAdapter(display2, L"B", {generic});
    addDisplay(display1, {physical(generic)});
    addDisplay(display2, {physical(generic)});
    auto manager = makeManager();

    ASSERT_TRUE(manager->refresh());
    auto held = manager->monitors();
    ASSERT_TRUE(manager->refresh());
    EXPECT_EQ(config->liveHandles(), 4u) << "a list still held keeps its handles";
    held.reset();
    EXPECT_EQ(config->liveHandles(), 2u);
    manager.reset();
    EXPECT_EQ(config->liveHandles(), 0u);
    EXPECT_EQ(config->destroyCalls, 4);
    EXPECT_EQ(config->misuses, 0);
}

TEST_F(WinDdcCiMonitorsManagerTest, NeedsTheMonitorConfigurationCalls)
{
    auto platform = std::make_shared<WinMonitorPlatform>();
    platform->displayDevices = devices;
    EXPECT_THROW(WinDdcCiMonitorsManager{platform}, std::invalid_argument);
}

} // namespace
