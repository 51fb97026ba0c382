#pragma once

#include "localization/UiLocalization.h"

#include <string>
#include <utility>
#include <vector>

// A language held in memory: its texts by number, nothing past them.
class TextListLocalization : public UiLocalization {
public:
    explicit TextListLocalization(std::vector<std::wstring> texts) : texts(std::move(texts)) {}

    int languageId() const override { return 0x407; }
    std::wstring name() const override { return L"German"; }
    std::wstring nativeName() const override { return L"Deutsch"; }
    int count() const override { return static_cast<int>(texts.size()); }
    std::wstring firstString(const std::wstring&) const override { return string(0); }
    std::wstring string(int index) const override
    {
        return index >= 0 && index < count() ? texts[static_cast<std::size_t>(index)] : std::wstring();
    }

private:
    std::vector<std::wstring> texts;
};
