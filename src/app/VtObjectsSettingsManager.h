#pragma once

#include "support/kelVaEvent.h"

#include <memory>

class VtAutoUserActionManager;
class VtHotkeysManager;
class VtSettingsManager;

// Keeps the objects the general settings switch in step with them: applies
// the settings when made and after every change the settings manager reports
// (on the thread that made the change, the UI thread, with no lock held).
class VtObjectsSettingsManager : public kelConsumesVaEvents {
public:
    VtObjectsSettingsManager(std::shared_ptr<VtSettingsManager> settingsManager,
                             std::shared_ptr<VtHotkeysManager> hotkeys,
                             std::shared_ptr<VtAutoUserActionManager> autoActions = {});
    ~VtObjectsSettingsManager() override;
    VtObjectsSettingsManager(const VtObjectsSettingsManager&) = delete;
    VtObjectsSettingsManager& operator=(const VtObjectsSettingsManager&) = delete;

    void onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t code, va_list args) override;

private:
    void apply();

    std::shared_ptr<VtSettingsManager> settingsManager;
    std::shared_ptr<VtHotkeysManager> hotkeys;
    std::shared_ptr<VtAutoUserActionManager> autoActions;
};
