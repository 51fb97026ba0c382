#include "app/VtAppTestSupport.h"
#include "automation/VtAppInfoDb.h"
#include "automation/VtAutoUserActionManager.h"
#include "automation/VtOnAppActionDb.h"
#include "automation/VtIconDatabase.h"
#include "monitor/DisplayDeviceInfoDb.h"
#include "profiles/MonitorsProfileList.h"
#include "profiles/VtSettingsManager.h"
#include "actions/VtUserAction.h"
#include "actions/VtUserActionProcessorList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::HasSubstr;

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

TEST_F(VtAppTest, WithoutADataFolderStartUpEndsBeforeAnyMonitorIsTouched)
{
    platform->publish({monitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000", "{\"first\":1}")});
    VtApp app([] { return std::make_shared<FolderAppConfiguration>(L"Vantrel", L""); }, sameFakePlatform(platform));
    EXPECT_FALSE(app.ensureStore());
    EXPECT_FALSE(app.initialize());
    EXPECT_EQ(app.objectsMgr(), nullptr);
    EXPECT_EQ(app.monitorsTasks(), nullptr);
    EXPECT_EQ(platform->refreshCount(), 0);
}

TEST_F(VtAppTest, NoMonitorEndsStartUpBeforeProfiles)
{
    const auto app = makeApp();
    EXPECT_FALSE(app->initialize());
    EXPECT_FALSE(app->profiles());
    EXPECT_FALSE(app->settings());
}

// Saves the profile "Dim" (brightness 20 %) and switches the first monitor
// to it as a per-application rule does, waiting until the switch has run.
void switchToDimAsARule(VtApp& app)
{
    MonitorsProfile dim;
    dim.monitors[L"1"] = std::make_shared<MonitorProfile>();
    dim.monitors[L"1"]->brightness = 0.2f;
    app.profiles()->storeValues(L"Dim", dim);
    auto switchToDim = std::make_shared<VtUserAction>();
    switchToDim->kind = SetProfile;
    switchToDim->profileName = L"Dim";
    // The queue is idle, so the switch is queued at once; a task queued after it ends after it.
    EXPECT_TRUE(app.userActionProcessors()->process(switchToDim, true));
    app.monitorsTasks()
        ->queueTask(std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::Enumerate), {}, true)
        ->wait();
}

TEST_F(VtAppTest, AnAutomaticActionInForceAtExitIsUndone)
{
    const auto monitor = makeFakeMonitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000");
    monitor->fakeControl->brightness.current = 70;
    platform->publish({monitor});
    {
        const auto app = makeApp();
        ASSERT_TRUE(app->initialize());
        switchToDimAsARule(*app);
        ASSERT_EQ(monitor->fakeControl->brightness.current, 20u);
    }
    EXPECT_EQ(monitor->fakeControl->brightness.current, 70u);
}

// The end of a Windows session: the process may be ended the moment
// shutDown() returns, so by then the rule in force is undone on the monitor
// and everything is on disk, the first-seen picture of a first run included.
TEST_F(VtAppTest, ShutDownLeavesNothingUndoneOrUnsavedBeforeTheProcessMayEnd)
{
    const auto monitor = makeFakeMonitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000");
    monitor->fakeControl->brightness.current = 70;
    monitor->fakeControl->savedState = "{\"first\":1}";
    platform->publish({monitor});
    const auto app = makeApp();
    ASSERT_TRUE(app->initialize());
    switchToDimAsARule(*app);
    ASSERT_EQ(monitor->fakeControl->brightness.current, 20u);

    app->shutDown();

    EXPECT_EQ(monitor->fakeControl->brightness.current, 70u) << "the rule in force is undone";
    EXPECT_THAT(file("profiles.vt"), HasSubstr("Dim"));
    EXPECT_THAT(file("m_orig_st.vt"), HasSubstr("first"));
    EXPECT_THAT(file("monitors.vt"), HasSubstr("<device "));
    const std::string saved = file("profiles.vt");
    // A second end of the session, and the exit after it, change nothing.
    app->shutDown();
    EXPECT_EQ(file("profiles.vt"), saved);
    EXPECT_EQ(monitor->fakeControl->brightness.current, 70u);
}

TEST_F(VtAppTest, TheGeneralSettingsAreLoadedAndAFirstRunWritesNone)
{
    platform->publish({makeFakeMonitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000")});
    {
        const auto app = makeApp();
        ASSERT_TRUE(app->initialize());
        EXPECT_FALSE(app->settings()->enableGlobalHotkeys());
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "settings.vt"));

    writeBytes(folder.path() / "settings.vt",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Vantrel enableGlobalHotkeys=\"1\"/>\n");
    const auto app = makeApp();
    ASSERT_TRUE(app->initialize());
    EXPECT_TRUE(app->settings()->enableGlobalHotkeys());
    EXPECT_FALSE(app->settings()->enableOnAppsActions());
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

TEST_F(VtAppTest, ApplicationsAndTheirIconsAreLoadedAndTheIconsFolderIsMade)
{
    writeBytes(folder.path() / "apps.vt",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Vantrel><item binary_path=\"C:\\Tools\\app.exe\" "
               "icon_id=\"2\" item-id=\"3\" item-refs=\"2\" ui_name=\"App (app.exe)\"/></Vantrel>\n");
    writeBytes(folder.path() / "icons.vt",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Vantrel><icons>"
               "<icon external_file=\"0\" file=\"icon.ico\" id=\"2\"/></icons></Vantrel>\n");
    writeBytes(folder.path() / "new.ico", "icon bytes");
    platform->publish({makeFakeMonitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000")});

    const auto app = makeApp();
    ASSERT_TRUE(app->initialize());
    const auto items = app->appInfoDb()->getItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items.at(3)->refs, 2u);
    EXPECT_EQ(items.at(3)->value->binaryPath(), L"C:\\Tools\\app.exe");
    EXPECT_EQ(items.at(3)->value->iconId(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "icons"));
    EXPECT_EQ(app->iconDb()->addIconFile((folder.path() / "new.ico").wstring()), 3u);
    EXPECT_EQ(file("icons/icon (1).ico"), "icon bytes") << "icon.ico is the stored icon's name";
}

} // namespace

TEST_F(VtAppTest, TheRulesAreLoadedAndSwitchedAsTheSettingsSay)
{
    platform->publish({makeFakeMonitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000")});
    writeBytes(folder.path() / "apps_actions.vt",
               R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel><item app_id="4">)"
               R"(<action action="0" brightness="0.2" contrast="0" /></item></Vantrel>)");
    {
        const auto app = makeApp();
        ASSERT_TRUE(app->initialize());
        EXPECT_EQ(app->onAppActions()->rulesFor(4).size(), 1u);
        EXPECT_FALSE(app->autoUserActions()->isEnabled());
    }

    writeBytes(folder.path() / "settings.vt",
               R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel enableOnAppsActions="1" />)");
    const auto app = makeApp();
    ASSERT_TRUE(app->initialize());
    EXPECT_TRUE(app->autoUserActions()->isEnabled());
    app->settings()->setEnableOnAppsActions(false);
    EXPECT_FALSE(app->autoUserActions()->isEnabled()) << "a change of the settings reaches the thread";
}
