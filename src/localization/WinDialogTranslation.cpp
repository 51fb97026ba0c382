#include "localization/WinDialogTranslation.h"

void applyDialogTranslation(HWND dialog, std::span<const DialogTranslationEntry> table,
                            const UiLocalization& localization)
{
    const DialogTexts texts = translateDialog(table, localization);
    for (const auto& [controlId, text] : texts.controls)
        SetDlgItemTextW(dialog, controlId, text.c_str());
    if (texts.title)
        SetWindowTextW(dialog, texts.title->c_str());
}
