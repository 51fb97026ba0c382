#pragma once

#include "localization/LinearUiLocalization.h"
#include "localization/UiLocalization.h"

// A translation over English: numbers the translation has come from it,
// higher ones from English, so a translation that lags behind the English
// file still shows every text. The header is the translation's. Neither
// language is owned; until both are set the pair has no texts.
class UiLocalizationPair : public UiLocalization {
public:
    void set(LinearUiLocalization* translation, LinearUiLocalization* english);
    LinearUiLocalization* primary() const { return primaryLanguage; }

    int languageId() const override;
    std::wstring name() const override;
    std::wstring nativeName() const override;
    int count() const override;
    // The translation's string number 0, or text when that is empty.
    std::wstring firstString(const std::wstring& text) const override;
    std::wstring string(int index) const override;

private:
    bool isSet() const { return fallback && primaryLanguage; }

    LinearUiLocalization* fallback = nullptr;
    LinearUiLocalization* primaryLanguage = nullptr;
};
