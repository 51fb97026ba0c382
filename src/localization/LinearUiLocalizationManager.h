#pragma once

#include "localization/LinearUiLocalization.h"
#include "localization/UiLocalizationManager.h"
#include "localization/UiLocalizationPair.h"
#include "support/kelRaisesVaEvents.h"

#include <memory>
#include <string>
#include <vector>

// The languages of a folder of language files. Building it reads every
// file's header and the English file ("English" in its first header line) in
// full; it starts in English or, when a file matches the user's language, in
// that language. Other languages are read in full when first selected and
// stay loaded; the folder is not watched.
//
// Without exactly one English file that can be read the manager is
// unusable: effective() and current() are null, list() is empty and nothing
// can be selected. Start-up reports that as a damaged installation.
//
// UI thread only. select() raises code 0 (no arguments) after every change of
// language, synchronously on the calling thread.
class LinearUiLocalizationManager : public UiLocalizationManager, public kelRaisesVaEvents {
public:
    // userLanguageId: the user's Windows language id, 0 if unknown.
    LinearUiLocalizationManager(const std::wstring& folder, int userLanguageId);
    LinearUiLocalizationManager(const LinearUiLocalizationManager&) = delete;
    LinearUiLocalizationManager& operator=(const LinearUiLocalizationManager&) = delete;

    UiLocalization* effective() override { return effectiveLanguage; }
    UiLocalization* current() override;
    UiLocalization* userDefault() override { return userDefaultLanguage; }
    // In the order of the files' names.
    std::vector<UiLocalization*> list() override;
    // False for a language not of this manager, for the pair that stands for
    // a translation, and for a translation whose file cannot be read now;
    // the language then stays as it was.
    bool select(UiLocalization* language) override;

    // Selects the first language whose name is exactly name (the choice the
    // user saved); false, changing nothing, when none has it.
    bool selectByName(const std::wstring& name);

private:
    bool load(const std::wstring& folder, int userLanguageId);
    LinearUiLocalization* owned(UiLocalization* language) const;

    std::vector<std::unique_ptr<LinearUiLocalization>> all;
    UiLocalization* effectiveLanguage = nullptr;
    LinearUiLocalization* english = nullptr;
    LinearUiLocalization* userDefaultLanguage = nullptr;
    UiLocalizationPair pair;
};
