#include "backends/WinDisplayDeviceInfo.h"
#include "backends/WinDisplayDevicesInfo.h"
#include "backends/FakeDisplayDevicesApi.h"

#include <gtest/gtest.h>

namespace {

FakeDisplayDevicesApi::Monitor monitor(std::wstring description, std::wstring deviceId, std::wstring interfacePath)
{
    return {L"\\\\.\\DISPLAY1\\Monitor0", std::move(description), std::move(deviceId), std::move(interfacePath)};
}

TEST(WinDisplayDevicesInfoTest, ListsAttachedAdaptersAndTheirNamedMonitors)
{
    FakeDisplayDevicesApi api;
    auto& first = api.addAdapter(L"\\\\.\\DISPLAY1", L"Adapter One");
    first.monitors = {monitor(L"Panel", L"MONITOR\\ABC1234\\{id}\\0000", L"\\\\?\\DISPLAY#ABC1234#5&1&UID4352#{e6f07b5f}"),
                      monitor(L"", L"MONITOR\\Blank\\0001", L""),
                      monitor(L"Second", L"MONITOR\\DEF5678\\{id}\\0002", L"")};
    auto& detached = api.addAdapter(L"\\\\.\\DISPLAY2");
    detached.stateFlags = 0;
    detached.monitors = {monitor(L"Hidden", L"MONITOR\\X", L"")};
    api.addAdapter(L"\\\\.\\DISPLAY3", L"Adapter Three").monitors = {monitor(L"Third", L"MONITOR\\T\\0000", L"path3")};

    WinDisplayDevicesInfo snapshot(api);

    const auto adapters = snapshot.adapters();
    ASSERT_EQ(adapters.size(), 2u);
    EXPECT_EQ(adapters[0]->deviceName(), L"\\\\.\\DISPLAY1");
    EXPECT_EQ(adapters[0]->displayName(), L"Adapter One");
    EXPECT_EQ(adapters[0]->isActive(), 1);
    EXPECT_EQ(adapters[1]->deviceName(), L"\\\\.\\DISPLAY3");

    const auto ofFirst = snapshot.monitorsOf(adapters[0]);
    ASSERT_EQ(ofFirst.size(), 2u) << "the entry without a description is skipped, the one after it is not";
    EXPECT_EQ(ofFirst[0]->displayName(), L"Panel");
    EXPECT_EQ(ofFirst[0]->instanceName(), L"\\\\?\\DISPLAY#ABC1234#5&1&UID4352#{e6f07b5f}");
    EXPECT_EQ(dynamic_cast<WinDisplayDeviceInfo&>(*ofFirst[0]).deviceId(), L"MONITOR\\ABC1234\\{id}\\0000");
    EXPECT_EQ(ofFirst[1]->displayName(), L"Second");
    EXPECT_EQ(ofFirst[1]->instanceName(), L"MONITOR\\DEF5678\\{id}\\0002") << "no interface path: the device id";
    EXPECT_EQ(ofFirst[1]->manufacturerName(), L"");

    const auto all = snapshot.allMonitors();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], ofFirst[0]);
    EXPECT_EQ(all[2]->displayName(), L"Third");
    EXPECT_EQ(snapshot.monitorsOf(adapters[1]).size(), 1u);
}

TEST(WinDisplayDevicesInfoTest, InactiveMonitorIsListedWithFlagZero)
{
    FakeDisplayDevicesApi api;
    auto inactive = monitor(L"Off", L"MONITOR\\OFF", L"");
    inactive.stateFlags = DISPLAY_DEVICE_ATTACHED;
    api.addAdapter(L"\\\\.\\DISPLAY1").monitors = {inactive};

    WinDisplayDevicesInfo snapshot(api);

    ASSERT_EQ(snapshot.allMonitors().size(), 1u);
    EXPECT_EQ(snapshot.allMonitors()[0]->isActive(), 0);
}

TEST(WinDisplayDevicesInfoTest, NoDevicesGiveEmptyLists)
{
    FakeDisplayDevicesApi api;
    WinDisplayDevicesInfo snapshot(api);
    EXPECT_TRUE(snapshot.adapters().empty());
    EXPECT_TRUE(snapshot.allMonitors().empty());
}

TEST(WinDisplayDevicesInfoTest, AnAdapterOfAnotherSnapshotIsRefused)
{
    FakeDisplayDevicesApi api;
    api.addAdapter(L"\\\\.\\DISPLAY1");
    WinDisplayDevicesInfo one(api);
    WinDisplayDevicesInfo other(api);
    EXPECT_THROW(one.monitorsOf(other.adapters()[0]), std::logic_error);
}

} // namespace
