#include "ui/TrayProfileMenu.h"

void TrayProfileMenu::build(const std::vector<std::wstring>& profileNames, const std::wstring& currentName)
{
    menuItems.clear();
    for (const std::wstring& name : profileNames) {
        if (static_cast<int>(menuItems.size()) == maxItems)
            break;
        menuItems.push_back({firstCommand + static_cast<int>(menuItems.size()), name, name == currentName});
    }
}

std::optional<std::wstring> TrayProfileMenu::profileOf(int command) const
{
    const int index = command - firstCommand;
    if (index < 0 || index >= static_cast<int>(menuItems.size()))
        return std::nullopt;
    return menuItems[static_cast<std::size_t>(index)].name;
}
