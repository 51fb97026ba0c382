#include "ui/wingui/Menu.h"

#include <utility>

namespace wingui {

Menu::~Menu()
{
    if (menu)
        DestroyMenu(menu);
}

Menu::Menu(Menu&& other) noexcept : menu(std::exchange(other.menu, nullptr))
{
}

Menu& Menu::operator=(Menu&& other) noexcept
{
    if (this != &other) {
        if (menu)
            DestroyMenu(menu);
        menu = std::exchange(other.menu, nullptr);
    }
    return *this;
}

HMENU Menu::submenu(int position) const
{
    return GetSubMenu(menu, position);
}

Menu Menu::load(HINSTANCE instance, int resourceId)
{
    return Menu(LoadMenuW(instance, MAKEINTRESOURCEW(resourceId)));
}

Menu Menu::createPopup()
{
    return Menu(CreatePopupMenu());
}

void Menu::track(HMENU popup, HWND owner, POINT at, UINT flags)
{
    SetForegroundWindow(owner);
    TrackPopupMenu(popup, flags, at.x, at.y, 0, owner, nullptr);
    // A message of its own after the menu closes, so that a second click on
    // the notification-area icon opens it again at once.
    PostMessageW(owner, WM_NULL, 0, 0);
}

} // namespace wingui
