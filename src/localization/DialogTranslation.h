#pragma once

#include "localization/UiLocalization.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// One row of a dialog's translation table: the control whose text becomes
// string number stringNumber. A row with control id 0 ends the table; its
// string number, unless 0, is the window's title.
struct DialogTranslationEntry {
    int controlId;
    int stringNumber;
    int flags;
};

// Flag: the text is followed by ":", for captions of fields.
inline constexpr int dialogTextColon = 1;

struct DialogTexts {
    std::vector<std::pair<int, std::wstring>> controls;
    std::optional<std::wstring> title;
};

// The texts a table gives a dialog. A table without an ending row ends with
// its last entry and sets no title.
DialogTexts translateDialog(std::span<const DialogTranslationEntry> table, const UiLocalization& localization);

// The translated text of a control, keeping the access key its template text
// gives it ("&Brightness:") where the translation has none of its own: the
// same letter, found in the translation without regard to case, is marked.
// A translation without that letter gets no access key; one that marks its
// own keeps it.
std::wstring withTemplateMnemonic(const std::wstring& templateText, const std::wstring& translated);
