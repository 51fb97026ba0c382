#include "localization/LinearUiLocalizationManager.h"

#include "localization/LanguageFolder.h"
#include "localization/LanguageId.h"

#include <cstdint>

namespace {

constexpr wchar_t englishName[] = L"English";
constexpr std::uint32_t languageChanged = 0;

} // namespace

LinearUiLocalizationManager::LinearUiLocalizationManager(const std::wstring& folder, int userLanguageId)
{
    if (!load(folder, userLanguageId)) {
        all.clear();
        english = nullptr;
        userDefaultLanguage = nullptr;
        return;
    }
    effectiveLanguage = english;
    // This class's own choice: no override is in place while constructing.
    if (userDefaultLanguage && userDefaultLanguage != english)
        LinearUiLocalizationManager::select(userDefaultLanguage);
}

bool LinearUiLocalizationManager::load(const std::wstring& folder, int userLanguageId)
{
    for (const std::wstring& path : LanguageFolder::languageFiles(folder)) {
        auto language = std::make_unique<LinearUiLocalization>(path);
        // A file that cannot be opened has no name and is passed over like a nameless one.
        language->readHeader();
        if (language->name().empty())
            continue;
        if (language->name() == englishName) {
            if (english || !language->readAll())
                return false;
            english = language.get();
        }
        if (!userDefaultLanguage && samePrimaryLanguage(language->languageId(), userLanguageId))
            userDefaultLanguage = language.get();
        all.push_back(std::move(language));
    }
    return english != nullptr;
}

UiLocalization* LinearUiLocalizationManager::current()
{
    if (effectiveLanguage == &pair)
        return pair.primary();
    return english;
}

std::vector<UiLocalization*> LinearUiLocalizationManager::list()
{
    std::vector<UiLocalization*> languages;
    languages.reserve(all.size());
    for (const auto& language : all)
        languages.push_back(language.get());
    return languages;
}

LinearUiLocalization* LinearUiLocalizationManager::owned(UiLocalization* language) const
{
    for (const auto& candidate : all) {
        if (candidate.get() == language)
            return candidate.get();
    }
    return nullptr;
}

bool LinearUiLocalizationManager::select(UiLocalization* language)
{
    LinearUiLocalization* chosen = owned(language);
    if (!chosen)
        return false;
    if (chosen == current())
        return true;
    if (chosen == english) {
        effectiveLanguage = english;
    } else {
        if (chosen->isHeaderOnly() && !chosen->readAll())
            return false;
        pair.set(chosen, english);
        effectiveLanguage = &pair;
    }
    raiseCode(languageChanged);
    return true;
}

bool LinearUiLocalizationManager::selectByName(const std::wstring& name)
{
    for (const auto& language : all) {
        if (language->name() == name)
            return select(language.get());
    }
    return false;
}
