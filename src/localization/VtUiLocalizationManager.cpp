#include "localization/VtUiLocalizationManager.h"

#include "localization/UserLanguage.h"

VtUiLocalizationManager::VtUiLocalizationManager(const std::wstring& folder)
    : LinearUiLocalizationManager(folder, userDefaultLanguageId())
{
}
