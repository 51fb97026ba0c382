#pragma once

#include "localization/DialogTranslation.h"

#include <windows.h>

// Sets the texts a translation table gives a dialog's controls, keeping
// each control's access key (withTemplateMnemonic), and, when the table
// names one, its title. UI thread (the dialog's own).
void applyDialogTranslation(HWND dialog, std::span<const DialogTranslationEntry> table,
                            const UiLocalization& localization);
