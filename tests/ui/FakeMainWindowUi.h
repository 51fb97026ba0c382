#pragma once

#include "ui/ValueListUiAdapterForCComboBox.h"
#include "ui/VtBaseSettingsUi.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <string>
#include <vector>

// A sorted drop-down list as the platform keeps one: entries in case-blind
// order, a search that takes case-blind prefixes.
class FakeSortedCombo {
public:
    int add(const std::wstring& text)
    {
        const auto at = std::upper_bound(entries.begin(), entries.end(), text, lessIgnoringCase);
        return static_cast<int>(entries.insert(at, text) - entries.begin());
    }
    void remove(int index)
    {
        entries.erase(entries.begin() + index);
        if (selected == index)
            selected = -1;
        else if (selected > index)
            --selected;
    }
    void clear()
    {
        entries.clear();
        selected = -1;
    }
    int count() const { return static_cast<int>(entries.size()); }
    std::wstring itemText(int index) const { return entries.at(index); }
    int selectedIndex() const { return selected; }
    void setSelectedIndex(int index) { selected = index; }
    int findExact(const std::wstring& text) const
    {
        const auto found = std::find(entries.begin(), entries.end(), text);
        return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
    }
    int findPrefix(const std::wstring& text) const
    {
        for (int i = 0; i < count(); ++i) {
            if (entries[i].size() >= text.size() && !lessIgnoringCase(entries[i].substr(0, text.size()), text) &&
                !lessIgnoringCase(text, entries[i].substr(0, text.size())))
                return i;
        }
        return -1;
    }

    std::vector<std::wstring> entries;
    int selected = -1;

private:
    static bool lessIgnoringCase(const std::wstring& a, const std::wstring& b)
    {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
            return std::towlower(x) < std::towlower(y);
        });
    }
};

// The main window without a window: sliders as numbers, combos as lists, the
// profile name the user would type.
class FakeMainWindowUi : public VtMainWindowUi {
public:
    float sliderFraction(PictureValue value) override { return positions[index(value)] / 100.0f; }
    void setSliderFraction(PictureValue value, float fraction) override
    {
        positions[index(value)] = static_cast<int>(fraction * 100);
    }
    void enableValue(PictureValue value, bool enabled) override { enabledValues[index(value)] = enabled; }
    ValueListUi<std::wstring>& monitorList() override { return monitors; }
    std::wstring askProfileName() override { return typedName; }
    ValueListUi<std::wstring>& profileList() override { return profiles; }

    // What the user does.
    void moveSlider(PictureValue value, int position)
    {
        positions[index(value)] = position;
        raiseEvent(MonitorSettingsUi::VaEvent(value));
    }
    void chooseProfile(const std::wstring& name)
    {
        profiles.select(name);
        profiles.raiseSelectionChanged();
    }
    void chooseMonitor(const std::wstring& name)
    {
        monitors.select(name);
        monitors.raiseSelectionChanged();
    }
    int position(PictureValue value) const { return positions[index(value)]; }
    bool isEnabled(PictureValue value) const { return enabledValues[index(value)]; }

    FakeSortedCombo monitorCombo;
    FakeSortedCombo profileCombo;
    ValueListUiAdapterForCComboBox<FakeSortedCombo> monitors{monitorCombo};
    ValueListUiAdapterForCComboBox<FakeSortedCombo> profiles{profileCombo};
    std::wstring typedName;

private:
    static std::size_t index(PictureValue value) { return static_cast<std::size_t>(value); }

    std::array<int, 5> positions{100, 100, 100, 100, 100};
    std::array<bool, 5> enabledValues{true, true, true, true, true};
};
