#include "app/FolderAppConfiguration.h"
#include "app/VtApp.h"
#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/FakeMonitorsManager.h"
#include "persistence/StoreTestSupport.h"
#include "profiles/MonitorsProfileList.h"
#include "support/kelComInitialize.h"
#include "tasks/MonitorsTasks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::HasSubstr;

// A start-up of the model over a data folder of its own and fake monitors.
class VtAppTest : public ::testing::Test {
protected:
    std::unique_ptr<VtApp> makeApp()
    {
        return std::make_unique<VtApp>(
            [this] { return std::make_shared<FolderAppConfiguration>(L"Vantrel", folder.path().wstring()); },
            sameFakePlatform(platform));
    }

    std::string file(const char* name) const { return readBytes(folder.path() / name).value_or(""); }

    std::shared_ptr<FakeMonitorManager> monitor(const std::wstring& name, const std::wstring& instance,
                                                const std::string& originalState)
    {
        auto fake = makeFakeMonitor(name, instance);
        fake->fakeControl->savedState = originalState;
        return fake;
    }

    // Starts the model, then ends it; the ids of the monitors it listed.
    std::vector<std::wstring> startAndListIds()
    {
        const auto app = makeApp();
        EXPECT_TRUE(app->initialize());
        EXPECT_TRUE(app->profiles());
        const auto guard = app->monitorsTasks()->autoLock();
        std::vector<std::wstring> ids;
        for (const auto& listed : *app->monitorsTasks()->monitorsManager()->monitors())
            ids.push_back(listed->displayDevice()->instanceName());
        return ids;
    }

    // The settings files are read through MSXML on Windows.
    const kelComInitialize com;
    StoreScratchFolder folder;
    std::shared_ptr<FakeMonitorsManager> platform = std::make_shared<FakeMonitorsManager>();
};

TEST_F(VtAppTest, FirstStartRecordsTheMonitorsAndASecondStartFindsTheSameIds)
{
    platform->publish({monitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000", "{\"first\":1}"),
                       monitor(L"Dell U2415", L"MONITOR\\DEL4012\\0001", "{\"second\":1}")});
    EXPECT_EQ(startAndListIds(), (std::vector<std::wstring>{L"1", L"2"}));
    const std::string devices = file("monitors.vt");
    EXPECT_EQ(countOccurrences(devices, "<device "), 2u) << devices;
    EXPECT_THAT(file("m_orig_st.vt"), HasSubstr("first"));
    EXPECT_THAT(file("m_orig_st.vt"), HasSubstr("second"));

    // The monitors come back in the other order: each keeps its id.
    platform->publish({monitor(L"Dell U2415", L"MONITOR\\DEL4012\\0001", "{\"second\":2}"),
                       monitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000", "{\"first\":2}")});
    EXPECT_EQ(startAndListIds(), (std::vector<std::wstring>{L"2", L"1"}));
    EXPECT_EQ(file("monitors.vt"), devices) << "no new record for a monitor met before";
    EXPECT_THAT(file("m_orig_st.vt"), HasSubstr("first&quot;:1")) << "the first-seen picture is kept";
}

TEST_F(VtAppTest, NoMonitorEndsStartUpBeforeProfiles)
{
    const auto app = makeApp();
    EXPECT_FALSE(app->initialize());
    EXPECT_FALSE(app->profiles());
}

TEST_F(VtAppTest, AFailedEnumerationEndsStartUp)
{
    platform->publish({monitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000", "")});
    platform->failRefreshes(true);
    const auto app = makeApp();
    EXPECT_FALSE(app->initialize());
}

TEST_F(VtAppTest, ProfilesNamingTheBuiltInPanelAreReKeyedAndWrittenBack)
{
    writeBytes(folder.path() / "profiles.vt",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Vantrel><profiles><profile name=\"Night\">"
               "<monitor_profile B=\"1\" G=\"1\" R=\"1\" brightness=\"0.25\" contrast=\"1\" id=\"Built-in Display\"/>"
               "</profile></profiles></Vantrel>\n");
    auto panel = makeFakeMonitor(L"Built-in Panel", L"DISPLAY\\SDC4152\\0000");
    panel->fakeControl->backEndName = L"WMI";
    platform->publish({makeFakeMonitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000"), panel});
    {
        const auto app = makeApp();
        ASSERT_TRUE(app->initialize());
        const auto guard = app->profiles()->autoLock();
        const auto night = app->profiles()->find(L"Night");
        ASSERT_TRUE(night);
        ASSERT_EQ(night->monitors.size(), 1u);
        EXPECT_EQ(night->monitors.begin()->first, L"2");
    }
    EXPECT_THAT(file("profiles.vt"), HasSubstr("id=\"2\""));
}

} // namespace
