#include "backends/FakeDisplayDevicesApi.h"
#include "backends/FakeGammaRampApi.h"
#include "backends/FakeMonitorConfigurationApi.h"
#include "backends/FakeWmiApi.h"
#include "backends/WinAllMonitorsManager.h"
#include "monitor/MonitorMultiControl.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::wstring panelWmiName = L"DISPLAY\\SDC4152\\4&2d5f1e0&0&UID4352_0";
const std::wstring panelPath = L"\\\\?\\DISPLAY#SDC4152#4&2d5f1e0&0&UID4352#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";
const std::wstring externalPath = L"\\\\?\\DISPLAY#DEL4012#5&1a2b3c&0&UID257#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";

// A laptop with its built-in panel (WMI brightness and a gamma ramp) on the
// first output and an external monitor (DDC/CI and a gamma ramp) on the second.
class WinAllMonitorsManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        devices->addAdapter(L"\\\\.\\DISPLAY1").monitors = {
            {L"\\\\.\\DISPLAY1\\Monitor0", L"Generic PnP Monitor", L"MONITOR\\SDC4152\\0000", panelPath}};
        devices->addAdapter(L"\\\\.\\DISPLAY2").monitors = {
            {L"\\\\.\\DISPLAY2\\Monitor0", L"Dell U2415", L"MONITOR\\DEL4012\\0001", externalPath}};

        ddcCi->addDisplay(L"\\\\.\\DISPLAY2").monitors.push_back({});
        ddcCi->monitor(0, 0).description = L"Dell U2415";

        gamma->cards[L"\\\\.\\DISPLAY1"] = {};
        gamma->cards[L"\\\\.\\DISPLAY2"] = {};

        addFakeWmiPanel(space, panelWmiName);

        platform->displayDevices = devices;
        platform->monitorConfiguration = ddcCi;
        platform->gammaRamp = gamma;
        platform->wmi = wmi;
    }

    void TearDown() override
    {
        manager.reset();
        EXPECT_EQ(space.liveObjects(), 0) << "a WMI object outlived the manager";
        EXPECT_EQ(ddcCi->liveHandles(), 0u) << "a physical monitor handle outlived the manager";
        EXPECT_EQ(gamma->openDCs(), 0u) << "a device context outlived the manager";
    }

    std::shared_ptr<const MonitorManagerList> refresh(ControlMethod preferred = ControlMethodHardware)
    {
        manager = std::make_shared<WinAllMonitorsManager>(platform, preferred);
        EXPECT_TRUE(manager->refresh());
        return manager->monitors();
    }

    static std::shared_ptr<MonitorManager> byDeviceName(const MonitorManagerList& monitors, const std::wstring& name)
    {
        const auto found = std::find_if(monitors.begin(), monitors.end(), [&](const auto& monitor) {
            return monitor->displayDevice()->deviceName() == name;
        });
        return found == monitors.end() ? nullptr : *found;
    }

    static std::vector<std::wstring> backEndNames(const MonitorManager& monitor)
    {
        std::vector<std::wstring> names;
        for (const auto& control : std::dynamic_pointer_cast<MonitorMultiControl>(monitor.control())->backEnds())
            names.push_back(control->name());
        return names;
    }

    FakeWmiNamespace space;
    std::shared_ptr<FakeDisplayDevicesApi> devices = std::make_shared<FakeDisplayDevicesApi>();
    std::shared_ptr<FakeMonitorConfigurationApi> ddcCi = std::make_shared<FakeMonitorConfigurationApi>();
    std::shared_ptr<FakeGammaRampApi> gamma = std::make_shared<FakeGammaRampApi>();
    std::shared_ptr<FakeWmiApi> wmi = std::make_shared<FakeWmiApi>(space);
    std::shared_ptr<WinMonitorPlatform> platform = std::make_shared<WinMonitorPlatform>();
    std::shared_ptr<WinAllMonitorsManager> manager;
};

TEST_F(WinAllMonitorsManagerTest, EachMonitorIsListedOnceWithItsBackEndsInOrder)
{
    const auto monitors = refresh();

    ASSERT_EQ(monitors->size(), 2u);
    const auto panel = byDeviceName(*monitors, L"\\\\.\\DISPLAY1\\Monitor0");
    const auto external = byDeviceName(*monitors, L"\\\\.\\DISPLAY2\\Monitor0");
    ASSERT_TRUE(panel && external);
    EXPECT_EQ(backEndNames(*panel), (std::vector<std::wstring>{L"WMI", L"GammaRamp"}));
    EXPECT_EQ(backEndNames(*external), (std::vector<std::wstring>{L"DDC/CI", L"GammaRamp"}));
    EXPECT_EQ(panel->adapterDevice()->deviceName(), L"\\\\.\\DISPLAY1");
    EXPECT_EQ(external->adapterDevice()->deviceName(), L"\\\\.\\DISPLAY2");
}

TEST_F(WinAllMonitorsManagerTest, HardwareIsPreferredAndTheGammaRampFillsItsGaps)
{
    ddcCi->monitor(0, 0).capabilities = MC_CAPS_BRIGHTNESS | MC_CAPS_CONTRAST;
    const auto monitors = refresh(ControlMethodHardware);

    const auto panel = byDeviceName(*monitors, L"\\\\.\\DISPLAY1\\Monitor0")->control();
    const auto external = byDeviceName(*monitors, L"\\\\.\\DISPLAY2\\Monitor0")->control();
    EXPECT_EQ(panel->controlName(Brightness), L"WMI");
    EXPECT_EQ(panel->controlName(RgbGain), L"GammaRamp");
    EXPECT_FALSE(panel->isSupported(Contrast));
    EXPECT_EQ(external->controlName(Brightness), L"DDC/CI");
    EXPECT_EQ(external->controlName(Contrast), L"DDC/CI");
    EXPECT_EQ(external->controlName(RgbGain), L"GammaRamp") << "this monitor has no gain of its own";

    ASSERT_TRUE(external->setBrightness(30));
    EXPECT_EQ(ddcCi->monitor(0, 0).brightness.current, 30u);
    EXPECT_EQ(gamma->cards[L"\\\\.\\DISPLAY2"].sets, 0) << "the ramp is left alone when DDC/CI serves brightness";
    ASSERT_TRUE(panel->setBrightness(40));
    ASSERT_EQ(space.methodCalls.size(), 1u);
}

TEST_F(WinAllMonitorsManagerTest, GainGoesToTheMonitorWhenItHasOne)
{
    const auto monitors = refresh(ControlMethodHardware);
    EXPECT_EQ(byDeviceName(*monitors, L"\\\\.\\DISPLAY2\\Monitor0")->control()->controlName(RgbGain), L"DDC/CI");
}

TEST_F(WinAllMonitorsManagerTest, WmiNamesTheMonitorItMatchesAndOnlyThatOne)
{
    const auto monitors = refresh();

    const auto panel = byDeviceName(*monitors, L"\\\\.\\DISPLAY1\\Monitor0")->displayDevice();
    const auto external = byDeviceName(*monitors, L"\\\\.\\DISPLAY2\\Monitor0")->displayDevice();
    EXPECT_EQ(panel->displayName(), L"Built-in Panel");
    EXPECT_EQ(panel->manufacturerName(), L"SDC");
    EXPECT_EQ(panel->productCode(), L"4152");
    EXPECT_EQ(platformDisplayName(*panel), L"Generic PnP Monitor");
    EXPECT_EQ(external->displayName(), L"Dell U2415");
    EXPECT_EQ(external->manufacturerName(), L"");
}

TEST_F(WinAllMonitorsManagerTest, WithoutWmiTheListLacksOnlyWmiControlsAndNames)
{
    wmi->createResult = E_ACCESSDENIED;
    const auto monitors = refresh();

    ASSERT_EQ(monitors->size(), 2u);
    const auto panel = byDeviceName(*monitors, L"\\\\.\\DISPLAY1\\Monitor0");
    EXPECT_EQ(backEndNames(*panel), std::vector<std::wstring>{L"GammaRamp"});
    EXPECT_EQ(panel->displayDevice()->displayName(), L"Generic PnP Monitor");
    EXPECT_EQ(panel->control()->controlName(Brightness), L"GammaRamp");
    EXPECT_EQ(backEndNames(*byDeviceName(*monitors, L"\\\\.\\DISPLAY2\\Monitor0")),
              (std::vector<std::wstring>{L"DDC/CI", L"GammaRamp"}));
}

TEST_F(WinAllMonitorsManagerTest, AMonitorNoBackEndReachesIsNotListed)
{
    gamma->cards[L"\\\\.\\DISPLAY2"].createFails = true;
    ddcCi->displays.clear();
    const auto monitors = refresh();

    ASSERT_EQ(monitors->size(), 1u);
    EXPECT_EQ(monitors->at(0)->displayDevice()->deviceName(), L"\\\\.\\DISPLAY1\\Monitor0");
}

TEST_F(WinAllMonitorsManagerTest, ARefreshMakesANewListAndLeavesTheOldOneIntact)
{
    manager = std::make_shared<WinAllMonitorsManager>(platform, ControlMethodHardware);
    ASSERT_TRUE(manager->refresh());
    const auto first = manager->monitors();
    ddcCi->enumerationFails = true;
    for (auto& card : gamma->cards)
        card.second.createFails = true;
    wmi->createResult = E_ACCESSDENIED;
    ASSERT_TRUE(manager->refresh());

    EXPECT_EQ(first->size(), 2u);
    EXPECT_TRUE(manager->monitors()->empty()) << "nothing reachable gives an empty list, not a failure";
}

} // namespace
