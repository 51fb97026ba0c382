#include "localization/DialogTranslation.h"

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
