#include "ui/VtBaseSettingsUiManager.h"

#include "app/VtAppTestSupport.h"
#include "profiles/MonitorsProfileList.h"
#include "ui/FakeMainWindowUi.h"

#include <gtest/gtest.h>

namespace {

// The window's manager over a started model with two fake monitors; the
// second has no contrast.
class VtBaseSettingsUiManagerTest : public VtAppTest {
protected:
    void SetUp() override
    {
        first->fakeControl->brightness.current = 70;
        first->fakeControl->savedState = "{\"original\":1}";
        second->fakeControl->brightness.current = 40;
        second->fakeControl->supported[Contrast] = false;
        platform->publish({first, second});
        app = makeApp();
        ASSERT_TRUE(app->initialize());
        manager = std::make_shared<VtBaseSettingsUiManager>(app->monitorsTasks(), app->profiles(), window);
        window->raiseEvent(VtBaseSettingsUi::VaEvent{});
        ASSERT_EQ(window->monitorCombo.count(), 2);
        firstName = window->monitorCombo.itemText(0);
        secondName = window->monitorCombo.itemText(1);
    }

    void TearDown() override
    {
        manager.reset();
        app.reset();
    }

    // Waits until every task queued so far has run, then lets the window's
    // timer come by.
    void settle()
    {
        const auto marker = app->monitorsTasks()->queueTask(
            std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::Custom, nullptr,
                                                          [](const TasksProcessor::Autolock&) { return true; }),
            {}, true);
        marker->wait();
        manager->performTasks();
    }

    // A change of the monitors that the window did not ask for, as a hotkey makes one.
    void writeElsewhere(PictureValue value, float fraction)
    {
        const auto monitorId = profileIdOf(*(*app->monitorsTasks()->monitorsManager()->monitors())[0]);
        app->monitorsTasks()->queueTask(std::make_unique<MonitorsTasks::monitor_task>(monitorId, value, fraction));
        settle();
    }

    std::shared_ptr<FakeMonitorManager> first = makeFakeMonitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000");
    std::shared_ptr<FakeMonitorManager> second = makeFakeMonitor(L"LG 27UL", L"MONITOR\\GSM5B08\\0000");
    std::unique_ptr<VtApp> app;
    std::shared_ptr<FakeMainWindowUi> window = std::make_shared<FakeMainWindowUi>();
    std::shared_ptr<VtBaseSettingsUiManager> manager;
    std::wstring firstName;
    std::wstring secondName;
};

} // namespace

TEST_F(VtBaseSettingsUiManagerTest, TheWindowOpensOnTheFirstMonitorWithItsValues)
{
    EXPECT_EQ(window->monitors.selectedValue(), firstName);
    EXPECT_NE(firstName.find(L"Dell U2415"), std::wstring::npos);
    EXPECT_EQ(window->position(PictureValue::Brightness), 70);
    EXPECT_TRUE(window->isEnabled(PictureValue::Contrast));

    window->chooseMonitor(secondName);

    EXPECT_EQ(window->position(PictureValue::Brightness), 40);
    EXPECT_FALSE(window->isEnabled(PictureValue::Contrast));
    EXPECT_TRUE(window->isEnabled(PictureValue::Red));
}

TEST_F(VtBaseSettingsUiManagerTest, ASliderWritesTheSelectedMonitorOnlyAndIsNotPulledBack)
{
    window->chooseMonitor(secondName);
    window->moveSlider(PictureValue::Brightness, 85);
    // The user drags on while the write is on its way.
    window->setSliderFraction(PictureValue::Brightness, 0.86f);
    settle();

    EXPECT_EQ(second->fakeControl->brightness.current, 85u);
    EXPECT_EQ(first->fakeControl->brightness.current, 70u);
    EXPECT_EQ(window->position(PictureValue::Brightness), 86);
}

TEST_F(VtBaseSettingsUiManagerTest, AChangeMadeElsewhereMovesTheSliderAtTheNextTimerTick)
{
    writeElsewhere(PictureValue::Brightness, 0.25f);

    EXPECT_EQ(window->position(PictureValue::Brightness), 25);
}

TEST_F(VtBaseSettingsUiManagerTest, ASavedProfileIsListedOnceSelectedAndAppliedAgain)
{
    window->typedName = L"Night <dim> & \"warm\"";
    window->raiseEvent(ProfilesManageUi::VaEvent(ProfilesManageUi::SaveProfile));
    window->moveSlider(PictureValue::Brightness, 20);
    settle();
    EXPECT_FALSE(window->profiles.hasSelection());
    window->raiseEvent(ProfilesManageUi::VaEvent(ProfilesManageUi::SaveProfile));
    window->moveSlider(PictureValue::Brightness, 30);
    settle();

    window->chooseProfile(window->typedName);
    settle();

    EXPECT_EQ(window->profileCombo.entries, std::vector<std::wstring>{window->typedName});
    EXPECT_EQ(first->fakeControl->brightness.current, 20u);
    EXPECT_EQ(window->position(PictureValue::Brightness), 20);
    EXPECT_EQ(window->profiles.selectedValue(), window->typedName);
    ASSERT_TRUE(app->profiles()->find(window->typedName));
}

TEST_F(VtBaseSettingsUiManagerTest, AnEmptyNameSavesNothing)
{
    window->typedName.clear();
    window->raiseEvent(ProfilesManageUi::VaEvent(ProfilesManageUi::SaveProfile));

    EXPECT_TRUE(app->profiles()->getProfiles().empty());
    EXPECT_EQ(window->profileCombo.count(), 0);
}

TEST_F(VtBaseSettingsUiManagerTest, DeletingRemovesTheProfileNamedAndNoOther)
{
    for (const wchar_t* name : {L"day", L"Day", L"Daylight"}) {
        window->typedName = name;
        window->raiseEvent(ProfilesManageUi::VaEvent(ProfilesManageUi::SaveProfile));
    }

    window->raiseEvent(ProfilesManageUi::VaDeleteProfileEvent(L"Day"));
    manager->performTasks();

    EXPECT_FALSE(app->profiles()->find(L"Day"));
    EXPECT_TRUE(app->profiles()->find(L"day"));
    EXPECT_EQ(window->profileCombo.entries, (std::vector<std::wstring>{L"day", L"Daylight"}));
}

TEST_F(VtBaseSettingsUiManagerTest, RestoringOriginalsBringsBackTheFirstSeenValuesIntoTheWindow)
{
    window->moveSlider(PictureValue::Brightness, 10);
    settle();
    // What restoring the saved state does to the device.
    first->fakeControl->brightness.current = 70;

    window->raiseEvent(ProfilesManageUi::VaEvent(ProfilesManageUi::RestoreOriginals));
    settle();

    EXPECT_EQ(first->fakeControl->restores, 1);
    EXPECT_EQ(window->position(PictureValue::Brightness), 70);
}

TEST_F(VtBaseSettingsUiManagerTest, WhenTheSelectedMonitorIsGoneTheFirstIsSelected)
{
    window->chooseMonitor(secondName);
    platform->publish({first});

    app->monitorsTasks()->queueTask(
        std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::Enumerate));
    settle();

    EXPECT_EQ(window->monitorCombo.entries, std::vector<std::wstring>{firstName});
    EXPECT_EQ(window->monitors.selectedValue(), firstName);
}

TEST_F(VtBaseSettingsUiManagerTest, ATaskFinishingAfterTheManagerIsGoneLeavesNothingBehind)
{
    window->moveSlider(PictureValue::Brightness, 55);
    manager.reset();

    const auto marker = app->monitorsTasks()->queueTask(
        std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::Custom, nullptr,
                                                      [](const TasksProcessor::Autolock&) { return true; }),
        {}, true);
    marker->wait();

    EXPECT_EQ(first->fakeControl->brightness.current, 55u);
}

// Whatever the user types is a name: markup characters and great length are
// written safely and read back as typed.
TEST_F(VtBaseSettingsUiManagerTest, AnyTypedNameSurvivesTheProfilesFile)
{
    const std::wstring names[] = {std::wstring(5000, L'n') + L"<\"&'>", L"]]></profile><profile name=\"x\">",
                                  L" Night\u00A0\u263E "};
    for (const std::wstring& name : names) {
        window->typedName = name;
        window->raiseEvent(ProfilesManageUi::VaEvent(ProfilesManageUi::SaveProfile));
    }
    manager.reset();
    app.reset();

    const auto again = makeApp();
    ASSERT_TRUE(again->initialize());
    EXPECT_EQ(again->profiles()->getProfiles().size(), std::size(names));
    for (const std::wstring& name : names)
        EXPECT_TRUE(again->profiles()->find(name)) << name.size() << " characters";
}
