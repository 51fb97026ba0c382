#pragma once

#include "localization/LinearUiLocalizationManager.h"

#include <string>

// The program's languages: those of its "Localizations" folder, with the
// user's default language taken from the platform.
class VtUiLocalizationManager : public LinearUiLocalizationManager {
public:
    explicit VtUiLocalizationManager(const std::wstring& folder);
};
