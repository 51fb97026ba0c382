#include "app/VtAppTestSupport.h"
#include "localization/ShippedLocalizations.h"
#include "localization/VtUiLocalizationManager.h"
#include "profiles/VtUiSettings.h"
#include "support/PerformsTasksInUiThread.h"
#include "ui/FakeMainWindowUi.h"
#include "ui/VtBaseSettingsUiManager.h"
#include "ui/VtUiManager.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class VtUiManagerTest : public VtAppTest {
protected:
    std::shared_ptr<VtUiManager> makeUi(std::wstring localizations)
    {
        app = makeApp();
        return std::make_shared<VtUiManager>(app, nullptr, nullptr, std::move(localizations));
    }

    std::shared_ptr<VtApp> app;
};

} // namespace

TEST_F(VtUiManagerTest, TheSavedLanguageIsSelectedAtStart)
{
    writeBytes(folder.path() / "ui_settings.vt",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Vantrel><General language=\"German\"/></Vantrel>\n");
    const auto ui = makeUi(shippedLocalizationsFolder());

    EXPECT_TRUE(ui->initialize());

    ASSERT_TRUE(ui->localizationManager());
    EXPECT_EQ(ui->localizationManager()->current()->name(), L"German");
    EXPECT_EQ(ui->settings()->language(), L"German");
}

TEST_F(VtUiManagerTest, AFolderWithoutLanguagesIsADamagedInstallation)
{
    const auto ui = makeUi((folder.path() / "no Localizations here").wstring());
    ui->loadUiSettings();
    EXPECT_FALSE(ui->createLocalization());
    EXPECT_FALSE(ui->localizationManager());
}

TEST_F(VtUiManagerTest, WindowSettingsAreLoadedOnceAndWrittenOnlyWhenChanged)
{
    const auto ui = makeUi(L"");
    EXPECT_TRUE(ui->initialize()) << "no localizations folder: no language check";
    const auto first = ui->settings();
    ui->loadUiSettings();
    EXPECT_EQ(ui->settings(), first);

    app->objectsMgr()->saveAll(0);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "ui_settings.vt"));
    first->setLanguage(L"German");
    app->objectsMgr()->saveAll(0);
    EXPECT_NE(file("ui_settings.vt").find("language=\"German\""), std::string::npos);
}

// The window's manager is made at initialisation and works on the UI timer.
TEST_F(VtUiManagerTest, TheMainWindowGetsItsManagerOnTheUiTimer)
{
    const auto monitor = makeFakeMonitor(L"Dell U2415", L"MONITOR\\DEL4012\\0000");
    platform->publish({monitor});
    app = makeApp();
    ASSERT_TRUE(app->initialize());
    const auto window = std::make_shared<FakeMainWindowUi>();
    const auto uiTasks = std::make_shared<PerformsTasksInUiThreadObjList>();
    const auto ui = std::make_shared<VtUiManager>(app, window, uiTasks, L"");

    ASSERT_TRUE(ui->initialize());
    ASSERT_TRUE(ui->baseSettingsUiManager());
    window->raiseEvent(VtBaseSettingsUi::VaEvent{});
    EXPECT_EQ(window->monitorCombo.count(), 1);

    const auto marker = app->monitorsTasks()->queueTask(
        std::make_unique<MonitorsTasks::monitor_task>(profileIdOf(*(*app->monitorsTasks()->monitorsManager()->monitors())[0]),
                                                      PictureValue::Brightness, 0.3f),
        {}, true);
    marker->wait();
    uiTasks->performTasks();
    EXPECT_EQ(window->position(PictureValue::Brightness), 30);
}
