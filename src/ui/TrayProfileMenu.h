#pragma once

#include <optional>
#include <string>
#include <vector>

// The profile menu a click on the tray icon opens: one item per profile in
// the order given (the list's name order), the current one checked, at most
// maxItems of them, with command ids from firstCommand on. UI thread only.
class TrayProfileMenu {
public:
    static constexpr int firstCommand = 50000;
    static constexpr int maxItems = 300;

    struct Item {
        int command;
        std::wstring name;
        bool checked;
    };

    // Replaces the items; the current name is checked where it matches exactly.
    void build(const std::vector<std::wstring>& profileNames, const std::wstring& currentName);
    const std::vector<Item>& items() const { return menuItems; }
    // The profile a command of the last menu names; none for any other command.
    std::optional<std::wstring> profileOf(int command) const;

private:
    std::vector<Item> menuItems;
};
