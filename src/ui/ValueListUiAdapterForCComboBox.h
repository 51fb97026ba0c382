#pragma once

#include "ui/ValueListUi.h"

#include <string>

// A ValueListUi over a combo box of texts. Combo is the window layer's
// combo box, or a stand-in with the same operations: add, remove(index),
// clear, count, itemText, selectedIndex, setSelectedIndex, findExact (first
// entry equal to a text, case-sensitive) and findPrefix (the control's own
// search: the first entry beginning with a text, any case). UI thread only;
// the combo must outlive the adapter.
template <class Combo>
class ValueListUiAdapterForCComboBox : public ValueListUi<std::wstring> {
public:
    explicit ValueListUiAdapterForCComboBox(Combo& combo) : combo(combo) {}

    // The window calls this when the user picks another entry.
    void raiseSelectionChanged() { raiseEvent(VaEvent{}); }

    bool hasSelection() const override { return combo.selectedIndex() >= 0; }

    bool select(const std::wstring& value) override
    {
        const int index = combo.findExact(value);
        if (index < 0)
            return false;
        combo.setSelectedIndex(index);
        return true;
    }

    std::wstring selectedValue() const override
    {
        const int index = combo.selectedIndex();
        return index < 0 ? std::wstring() : combo.itemText(index);
    }

    void clearSelection() override { combo.setSelectedIndex(-1); }
    // A sorted combo places the entry by its text.
    void add(const std::wstring& value) override { combo.add(value); }

    // The control's search ignores case and takes prefixes; the program only
    // removes names it knows are listed, so an exact entry is preferred and
    // the search is the fallback.
    void remove(const std::wstring& value) override
    {
        int index = combo.findExact(value);
        if (index < 0)
            index = combo.findPrefix(value);
        if (index >= 0)
            combo.remove(index);
    }

    bool contains(const std::wstring& value) const override { return combo.findExact(value) >= 0; }
    void clear() override { combo.clear(); }

private:
    Combo& combo;
};
