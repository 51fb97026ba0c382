#pragma once

#include "localization/DialogTranslation.h"

#include <windows.h>

#include <map>
#include <span>
#include <string>

// Translates one dialog window, as often as its language changes. Each
// control keeps the access key its template text gives it
// (withTemplateMnemonic); the template texts are taken when the translator
// first meets the window, before any translation has replaced them, so a
// key that one language's text lacks comes back with the next language.
// When the table names one, the title is set too. UI thread (the dialog's
// own).
class WinDialogTranslator {
public:
    void apply(HWND dialog, std::span<const DialogTranslationEntry> table, const UiLocalization& localization);

private:
    const std::wstring& templateText(HWND dialog, int controlId);

    HWND translated = nullptr;
    std::map<int, std::wstring> templateTexts;
};

// A dialog translated once, when it opens.
void applyDialogTranslation(HWND dialog, std::span<const DialogTranslationEntry> table,
                            const UiLocalization& localization);
