#include "localization/WinDialogTranslation.h"

void applyDialogTranslation(HWND dialog, std::span<const DialogTranslationEntry> table,
                            const UiLocalization& localization)
{
    const DialogTexts texts = translateDialog(table, localization);
    for (const auto& [controlId, text] : texts.controls) {
        wchar_t before[256] = {};
        GetDlgItemTextW(dialog, controlId, before, 256);
        SetDlgItemTextW(dialog, controlId, withTemplateMnemonic(before, text).c_str());
    }
    if (texts.title)
        SetWindowTextW(dialog, texts.title->c_str());
}
