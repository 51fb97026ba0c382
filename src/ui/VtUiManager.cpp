#include "ui/VtUiManager.h"

#include "app/AppSerializableObjectsMgr.h"
#include "app/VtApp.h"
#include "localization/VtUiLocalizationManager.h"
#include "profiles/VtUiSettings.h"
#include "support/PerformsTasksInUiThread.h"
#include "ui/VtBaseSettingsUi.h"
#include "ui/VtBaseSettingsUiManager.h"

VtUiManager::VtUiManager(std::shared_ptr<VtApp> app, std::shared_ptr<VtMainWindowUi> settingsUi,
                         std::shared_ptr<PerformsTasksInUiThreadObjList> uiTaskList, std::wstring localizationsFolder)
    : application(std::move(app)), settingsUi(std::move(settingsUi)), uiTaskList(std::move(uiTaskList)),
      localizationsFolder(std::move(localizationsFolder))
{
}

VtUiManager::~VtUiManager() = default;

bool VtUiManager::initialize()
{
    if (!settingsManager && settingsUi && application && application->monitorsTasks() && application->profiles()) {
        settingsManager = std::make_shared<VtBaseSettingsUiManager>(application->monitorsTasks(),
                                                                    application->profiles(), settingsUi);
        if (uiTaskList)
            uiTaskList->add(settingsManager);
    }
    loadUiSettings();
    if (!localizationsFolder.empty() && !languages)
        return createLocalization();
    return true;
}

void VtUiManager::loadUiSettings()
{
    if (uiSettings)
        return;
    uiSettings = std::make_shared<VtUiSettings>();
    // Without a store there is nowhere to read it from: the language stays the user's own.
    if (const auto store = application ? application->objectsMgr() : nullptr)
        store->registerObject(uiSettings, L"ui_settings.vt");
}

bool VtUiManager::createLocalization()
{
    auto built = std::make_shared<VtUiLocalizationManager>(localizationsFolder);
    if (!built->effective())
        return false;
    if (uiSettings) {
        if (const std::wstring chosen = uiSettings->language(); !chosen.empty())
            built->selectByName(chosen);
    }
    languages = std::move(built);
    return true;
}

const UiLocalization* VtUiManager::language() const
{
    return languages ? languages->effective() : nullptr;
}

std::wstring VtUiManager::text(int index) const
{
    const UiLocalization* const effective = language();
    return effective ? effective->string(index) : std::wstring();
}
