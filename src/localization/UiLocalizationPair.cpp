#include "localization/UiLocalizationPair.h"

void UiLocalizationPair::set(LinearUiLocalization* translation, LinearUiLocalization* english)
{
    primaryLanguage = translation;
    fallback = english;
}

int UiLocalizationPair::languageId() const
{
    return isSet() ? primaryLanguage->languageId() : 0;
}

std::wstring UiLocalizationPair::name() const
{
    return isSet() ? primaryLanguage->name() : std::wstring();
}

std::wstring UiLocalizationPair::nativeName() const
{
    return isSet() ? primaryLanguage->nativeName() : std::wstring();
}

int UiLocalizationPair::count() const
{
    return isSet() ? fallback->count() : 0;
}

std::wstring UiLocalizationPair::firstString(const std::wstring& text) const
{
    const std::wstring first = isSet() ? primaryLanguage->firstString(text) : std::wstring();
    return first.empty() ? text : first;
}

std::wstring UiLocalizationPair::string(int index) const
{
    if (!isSet())
        return {};
    if (index < primaryLanguage->count())
        return primaryLanguage->string(index);
    return fallback->string(index);
}
