#include "app/VtObjectsSettingsManager.h"

#include "actions/VtHotkeysManager.h"
#include "automation/VtAutoUserActionManager.h"
#include "profiles/VtSettingsManager.h"

VtObjectsSettingsManager::VtObjectsSettingsManager(std::shared_ptr<VtSettingsManager> settingsManager,
                                                   std::shared_ptr<VtHotkeysManager> hotkeys,
                                                   std::shared_ptr<VtAutoUserActionManager> autoActions)
    : settingsManager(std::move(settingsManager)), hotkeys(std::move(hotkeys)), autoActions(std::move(autoActions))
{
    apply();
    this->settingsManager->addConsumer(this);
}

VtObjectsSettingsManager::~VtObjectsSettingsManager()
{
    settingsManager->removeConsumer(this);
}

void VtObjectsSettingsManager::onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t, va_list)
{
    if (raiser == settingsManager.get())
        apply();
}

void VtObjectsSettingsManager::apply()
{
    if (hotkeys)
        hotkeys->enableHotkeys(settingsManager->enableGlobalHotkeys());
    if (autoActions)
        autoActions->setEnabled(settingsManager->enableOnAppsActions());
}
