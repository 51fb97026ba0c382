#pragma once

#include "ui/wingui/Wnd.h"

#include <functional>
#include <string>

namespace wingui {

// A combo box, usually of the drop-down-list kind; a sorted one (CBS_SORT in
// its template) places every added entry by its text.
class ComboBox : public Wnd {
public:
    // The user chose another entry (CBN_SELCHANGE); not raised by
    // setSelectedIndex.
    std::function<void()> onSelectionChanged;

    // Returns the entry's index, or -1.
    int add(const std::wstring& text, LPARAM data = 0);
    void remove(int index);
    void clear();
    int count() const;
    std::wstring itemText(int index) const;
    LPARAM itemData(int index) const;

    // -1 when nothing is selected.
    int selectedIndex() const;
    // -1 clears the selection.
    void setSelectedIndex(int index);

    // The first entry whose text equals text exactly (case-sensitive), or -1.
    int findExact(const std::wstring& text) const;
    // The first entry that begins with text, compared without regard to
    // case (the control's own search), or -1.
    int findPrefix(const std::wstring& text) const;

protected:
    bool onReflectedCommand(int id, int notifyCode) override;
};

} // namespace wingui
