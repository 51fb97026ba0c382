#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/FakeMonitorsManager.h"
#include "monitor/VtMonitorManager.h"
#include "monitor/VtMonitorsManager.h"
#include "monitor/VtMonitorsState.h"
#include "persistence/MemoryTreeStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>

namespace {

struct MonitorsFixture {
    std::shared_ptr<FakeMonitorsManager> platform = std::make_shared<FakeMonitorsManager>();
    std::shared_ptr<DisplayDeviceInfoDb> deviceDb = std::make_shared<DisplayDeviceInfoDb>();
    std::shared_ptr<VtMonitorsState> originalStates = std::make_shared<VtMonitorsState>(Original);
    std::shared_ptr<VtMonitorsState> controlledStates = std::make_shared<VtMonitorsState>(Controlled);

    std::shared_ptr<VtMonitorsManager> makeManager() const
    {
        return std::make_shared<VtMonitorsManager>(sameFakePlatform(platform), deviceDb, originalStates,
                                                   controlledStates, ControlMethodHardware);
    }
};

class VtMonitorsManagerTest : public testing::Test, protected MonitorsFixture {
protected:
    std::shared_ptr<VtMonitorsManager> manager = makeManager();
};

std::shared_ptr<FakeDisplayDevice> deviceNamed(std::wstring displayName, std::wstring instanceName, int active = 1,
                                               std::shared_ptr<DisplayDeviceInfo> wrapped = nullptr)
{
    FakeDisplayDevice::Fields fields;
    fields.active = active;
    fields.displayName = std::move(displayName);
    fields.instanceName = std::move(instanceName);
    return std::make_shared<FakeDisplayDevice>(std::move(fields), std::move(wrapped));
}

std::vector<std::wstring> shownNames(const MonitorManagerList& list)
{
    std::vector<std::wstring> names;
    for (const auto& monitor : list)
        names.push_back(monitor->displayDevice()->displayName());
    return names;
}

std::vector<std::uint32_t> idsOf(const MonitorManagerList& list)
{
    std::vector<std::uint32_t> ids;
    for (const auto& monitor : list)
        ids.push_back(std::static_pointer_cast<VtMonitorManager>(monitor)->id());
    return ids;
}

} // namespace

TEST_F(VtMonitorsManagerTest, ListsOnlyActiveMonitorsThatCanChangeBrightness)
{
    const auto ddc = makeFakeMonitor(L"Dell", L"p1");
    const auto gammaOnly = makeFakeMonitor(L"Projector", L"p2");
    gammaOnly->fakeControl->supported = {true, false, false, true, false};
    gammaOnly->fakeControl->method = ControlMethodGammaRamp;
    const auto contrastOnly = makeFakeMonitor(L"Odd", L"p3");
    contrastOnly->fakeControl->supported = {false, true, false, false, false};
    const auto inactive = makeFakeMonitor(deviceNamed(L"Off", L"p4", 0));
    platform->publish({ddc, contrastOnly, gammaOnly, inactive});

    ASSERT_TRUE(manager->refresh());
    const auto list = manager->monitors();
    EXPECT_EQ(shownNames(*list), (std::vector<std::wstring>{L"Dell #1", L"Projector #2"}));
    EXPECT_EQ(list->at(1)->displayDevice()->instanceName(), L"2");
    EXPECT_EQ(list->at(1)->control(), gammaOnly->fakeControl);
    EXPECT_EQ(deviceDb->devices().size(), 2u) << "left-out monitors get no record";
    EXPECT_EQ(platform->lastRequestedMethod(), ControlMethodHardware);
}

TEST_F(VtMonitorsManagerTest, NoMonitorFoundGivesAnEmptyList)
{
    EXPECT_TRUE(manager->monitors()->empty()) << "empty before the first refresh";
    ASSERT_TRUE(manager->refresh());
    EXPECT_TRUE(manager->monitors()->empty());
    EXPECT_FALSE(deviceDb->isModified());
    EXPECT_FALSE(originalStates->isModified());
}

TEST_F(VtMonitorsManagerTest, FailedPlatformRefreshKeepsTheList)
{
    platform->publish({makeFakeMonitor(L"Dell", L"p1")});
    ASSERT_TRUE(manager->refresh());
    const auto before = manager->monitors();
    platform->publish({});
    platform->failRefreshes(true);
    EXPECT_FALSE(manager->refresh());
    EXPECT_EQ(manager->monitors(), before);
}

TEST_F(VtMonitorsManagerTest, KeepsIdsAcrossRefreshesAndOldListsStayIntact)
{
    const auto left = makeFakeMonitor(L"Dell", L"p1");
    const auto right = makeFakeMonitor(L"Dell", L"p2");
    platform->publish({left, right});
    ASSERT_TRUE(manager->refresh());
    const auto first = manager->monitors();

    platform->publish({right, makeFakeMonitor(L"Laptop", L"p0"), left});
    ASSERT_TRUE(manager->refresh());
    EXPECT_EQ(idsOf(*manager->monitors()), (std::vector<std::uint32_t>{2, 3, 1}));
    EXPECT_EQ(shownNames(*first), (std::vector<std::wstring>{L"Dell #1", L"Dell #2"}));
}

std::vector<std::wstring> idTextsOf(const MonitorManagerList& list)
{
    std::vector<std::wstring> texts;
    for (const auto& monitor : list)
        texts.push_back(monitor->displayDevice()->instanceName());
    return texts;
}

TEST_F(VtMonitorsManagerTest, NewMonitorsBesideTheLargestIdGetIdsStatesAndTextsOfTheirOwn)
{
    static_assert(std::is_same_v<decltype(std::declval<VtMonitorManager>().id()), std::uint32_t>,
                  "ids keep their unsigned 32-bit type from the database to the kept states");
    MemoryTreeStream dbFile;
    const auto node = dbFile.addChild(L"device");
    for (const auto& [name, value] : {std::pair<std::wstring, std::wstring>{L"displayName", L"Old"},
                                      {L"instanceName", L"p-old"}, {L"id", L"4294967294"},
                                      {L"manufacturerName", L""}, {L"productCode", L""}, {L"serialNumber", L""}})
        node->writeValue(name, value, true);
    ASSERT_TRUE(deviceDb->load(dbFile));
    controlledStates->keep(4294967294u, "old ctrl");
    const auto old = makeFakeMonitor(L"Old", L"p-old");
    const auto first = makeFakeMonitor(L"New", L"p-new1");
    const auto second = makeFakeMonitor(L"New", L"p-new2");
    old->fakeControl->savedState = "orig old";
    first->fakeControl->savedState = "orig first";
    second->fakeControl->savedState = "orig second";
    platform->publish({old, first, second});

    ASSERT_TRUE(manager->refresh());
    const auto list = manager->monitors();
    EXPECT_EQ(idsOf(*list), (std::vector<std::uint32_t>{4294967294u, 1, 2}));
    EXPECT_EQ(idTextsOf(*list), (std::vector<std::wstring>{L"4294967294", L"1", L"2"}));
    EXPECT_EQ(shownNames(*list), (std::vector<std::wstring>{L"Old #4294967294", L"New #1", L"New #2"}));
    EXPECT_EQ(old->fakeControl->restoredState, "old ctrl");
    EXPECT_EQ(first->fakeControl->restores, 0) << "a new monitor takes over no one's kept state";
    EXPECT_EQ(second->fakeControl->restores, 0);
    EXPECT_EQ(originalStates->states(),
              (VtMonitorsState::States{{4294967294u, "orig old"}, {1, "orig first"}, {2, "orig second"}}));
}

TEST_F(VtMonitorsManagerTest, FirstSightRecordsOriginalThenControlledState)
{
    const auto monitor = makeFakeMonitor(L"Dell", L"p1");
    monitor->fakeControl->savedState = "orig";
    monitor->fakeControl->savedControlledState = "ctrl";
    platform->publish({monitor});

    ASSERT_TRUE(manager->refresh());
    EXPECT_EQ(originalStates->states(), (VtMonitorsState::States{{1, "orig"}}));
    EXPECT_EQ(controlledStates->states(), (VtMonitorsState::States{{1, "ctrl"}}));
    EXPECT_EQ(monitor->fakeControl->stateCalls, (std::vector<std::string>{"save Original", "save Controlled"}));
}

TEST_F(VtMonitorsManagerTest, KeptControlledStateIsReappliedBeforeAnythingIsCaptured)
{
    controlledStates->keep(1, "kept ctrl");
    const auto monitor = makeFakeMonitor(L"Dell", L"p1");
    monitor->fakeControl->savedState = "orig";
    monitor->fakeControl->savedControlledState = "ctrl now";
    platform->publish({monitor});

    ASSERT_TRUE(manager->refresh());
    EXPECT_EQ(monitor->fakeControl->stateCalls,
              (std::vector<std::string>{"restore Controlled kept ctrl", "save Original"}));
    EXPECT_EQ(controlledStates->state(1), "kept ctrl") << "a refresh replaces no kept entry";
    EXPECT_EQ(originalStates->state(1), "orig");
}

TEST_F(VtMonitorsManagerTest, ReappliedStateThatFailsDoesNotStopTheRefresh)
{
    controlledStates->keep(1, "bad");
    originalStates->keep(1, "orig");
    const auto failing = makeFakeMonitor(L"Dell", L"p1");
    failing->fakeControl->restoreFails = true;
    const auto other = makeFakeMonitor(L"HP", L"p2");
    other->fakeControl->savedState = "orig 2";
    platform->publish({failing, other});

    EXPECT_TRUE(manager->refresh());
    EXPECT_EQ(manager->monitors()->size(), 2u);
    EXPECT_EQ(originalStates->state(2), "orig 2");
}

TEST_F(VtMonitorsManagerTest, CaptureControlledStatesFollowsTheControls)
{
    const auto first = makeFakeMonitor(L"Dell", L"p1");
    const auto second = makeFakeMonitor(L"HP", L"p2");
    first->fakeControl->savedControlledState = "a";
    second->fakeControl->savedControlledState = "b";
    platform->publish({first, second});
    ASSERT_TRUE(manager->refresh());

    first->fakeControl->savedControlledState = "a2";
    second->fakeControl->savedControlledState = "";
    manager->captureControlledStates();
    EXPECT_EQ(controlledStates->states(), (VtMonitorsState::States{{1, "a2"}}));
}

TEST_F(VtMonitorsManagerTest, RestoreOriginalStatesReportsFailuresButRestoresEveryone)
{
    EXPECT_TRUE(manager->restoreOriginalStates()) << "nothing listed, nothing to fail";
    const auto failing = makeFakeMonitor(L"Dell", L"p1");
    const auto other = makeFakeMonitor(L"HP", L"p2");
    platform->publish({failing, other});
    ASSERT_TRUE(manager->refresh());
    EXPECT_TRUE(manager->restoreOriginalStates()) << "an empty original map restores nothing";
    EXPECT_EQ(failing->fakeControl->restores, 0);

    originalStates->keep(1, "o1");
    originalStates->keep(2, "o2");
    failing->fakeControl->restoreFails = true;
    EXPECT_FALSE(manager->restoreOriginalStates());
    EXPECT_EQ(other->fakeControl->restoredState, "o2");
}

TEST_F(VtMonitorsManagerTest, LegacyNamesAreThePlatformsOwnNames)
{
    const auto plain = deviceNamed(L"Generic PnP Monitor", L"plain");
    const auto wrapping = makeFakeMonitor(deviceNamed(L"Dell U2720Q", L"p1", 1, plain));
    platform->publish({makeFakeMonitor(L"Laptop", L"p0"), wrapping});
    ASSERT_TRUE(manager->refresh());

    EXPECT_EQ(manager->idForLegacyName(L"Generic PnP Monitor"), L"2");
    EXPECT_EQ(manager->idForLegacyName(L"Laptop"), L"1");
    EXPECT_EQ(manager->idForLegacyName(L"Dell U2720Q #2"), L"");
    EXPECT_EQ(manager->idForLegacyName(L"Never seen"), L"");

    platform->publish({});
    ASSERT_TRUE(manager->refresh());
    EXPECT_EQ(manager->idForLegacyName(L"Laptop"), L"1") << "entries outlive the monitor's absence";
}

TEST(VtMonitorsManagerRestart, ARestartFindsTheSameIdsAndOnlyReappliesStates)
{
    const auto monitor = makeFakeMonitor(L"Dell", L"p1");
    monitor->fakeControl->savedState = "orig";
    monitor->fakeControl->savedControlledState = "ctrl";
    MemoryTreeStream dbFile, originalFile, controlledFile;
    {
        MonitorsFixture firstRun;
        firstRun.platform->publish({makeFakeMonitor(L"Laptop", L"p0"), monitor});
        ASSERT_TRUE(firstRun.makeManager()->refresh());
        ASSERT_TRUE(firstRun.deviceDb->save(dbFile));
        ASSERT_TRUE(firstRun.originalStates->save(originalFile));
        ASSERT_TRUE(firstRun.controlledStates->save(controlledFile));
    }
    monitor->fakeControl->stateCalls.clear();
    monitor->fakeControl->savedState = "changed since";

    MonitorsFixture secondRun;
    ASSERT_TRUE(secondRun.deviceDb->load(dbFile));
    ASSERT_TRUE(secondRun.originalStates->load(originalFile));
    ASSERT_TRUE(secondRun.controlledStates->load(controlledFile));
    secondRun.platform->publish({monitor});
    const auto manager = secondRun.makeManager();
    ASSERT_TRUE(manager->refresh());

    EXPECT_EQ(idsOf(*manager->monitors()), std::vector<std::uint32_t>{2});
    EXPECT_EQ(monitor->fakeControl->stateCalls, std::vector<std::string>{"restore Controlled ctrl"});
    EXPECT_EQ(secondRun.originalStates->state(2), "orig");
    EXPECT_FALSE(secondRun.deviceDb->isModified());
}
