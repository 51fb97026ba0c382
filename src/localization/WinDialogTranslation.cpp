#include "localization/WinDialogTranslation.h"

namespace {

std::wstring controlText(HWND dialog, int controlId)
{
    const HWND control = GetDlgItem(dialog, controlId);
    const int length = control ? GetWindowTextLengthW(control) : 0;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetDlgItemTextW(dialog, controlId, text.data(), length + 1)));
    return text;
}

} // namespace

void WinDialogTranslator::apply(HWND dialog, std::span<const DialogTranslationEntry> table,
                                const UiLocalization& localization)
{
    if (dialog != translated) {
        translated = dialog;
        templateTexts.clear();
    }
    const DialogTexts texts = translateDialog(table, localization);
    for (const auto& [controlId, text] : texts.controls)
        SetDlgItemTextW(dialog, controlId, withTemplateMnemonic(templateText(dialog, controlId), text).c_str());
    if (texts.title)
        SetWindowTextW(dialog, texts.title->c_str());
}

const std::wstring& WinDialogTranslator::templateText(HWND dialog, int controlId)
{
    const auto known = templateTexts.find(controlId);
    if (known != templateTexts.end())
        return known->second;
    return templateTexts.emplace(controlId, controlText(dialog, controlId)).first->second;
}

void applyDialogTranslation(HWND dialog, std::span<const DialogTranslationEntry> table,
                            const UiLocalization& localization)
{
    WinDialogTranslator().apply(dialog, table, localization);
}
