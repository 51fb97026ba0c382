#pragma once

#include "localization/UiLocalization.h"

#include <vector>

// The program's languages and the one its texts come from. UI thread only.
class UiLocalizationManager {
public:
    virtual ~UiLocalizationManager() = default;
    // Where to look texts up; null when the manager could not be built.
    virtual UiLocalization* effective() = 0;
    // The language the user has: the chosen translation, or English.
    virtual UiLocalization* current() = 0;
    // The first language of the user's Windows language; null if none.
    virtual UiLocalization* userDefault() = 0;
    virtual std::vector<UiLocalization*> list() = 0;
    virtual bool select(UiLocalization* language) = 0;
};
