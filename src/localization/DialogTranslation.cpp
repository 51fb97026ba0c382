#include "localization/DialogTranslation.h"

#include <cwctype>

DialogTexts translateDialog(std::span<const DialogTranslationEntry> table, const UiLocalization& localization)
{
    DialogTexts texts;
    for (const DialogTranslationEntry& entry : table) {
        if (entry.controlId == 0) {
            if (entry.stringNumber != 0)
                texts.title = localization.string(entry.stringNumber);
            break;
        }
        std::wstring text = localization.string(entry.stringNumber);
        if (entry.flags & dialogTextColon)
            text += L':';
        texts.controls.emplace_back(entry.controlId, std::move(text));
    }
    return texts;
}

namespace {

// The letter after a single "&"; none for "&&" (a plain ampersand) or a text without one.
std::optional<wchar_t> mnemonicOf(const std::wstring& text)
{
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] != L'&')
            continue;
        if (text[at + 1] != L'&')
            return text[at + 1];
        ++at;
    }
    return std::nullopt;
}

} // namespace

std::wstring withTemplateMnemonic(const std::wstring& templateText, const std::wstring& translated)
{
    const auto key = mnemonicOf(templateText);
    if (!key || translated.find(L'&') != std::wstring::npos)
        return translated;
    const wchar_t wanted = static_cast<wchar_t>(std::towlower(*key));
    for (std::size_t at = 0; at < translated.size(); ++at) {
        if (static_cast<wchar_t>(std::towlower(translated[at])) == wanted)
            return translated.substr(0, at) + L"&" + translated.substr(at);
    }
    return translated;
}
