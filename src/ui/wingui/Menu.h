#pragma once

#include <windows.h>

namespace wingui {

// Owns a menu (loaded from a menu resource or made empty); destroyed with
// the object, submenus included.
class Menu {
public:
    Menu() = default;
    explicit Menu(HMENU owned) : menu(owned) {}
    ~Menu();
    Menu(Menu&& other) noexcept;
    Menu& operator=(Menu&& other) noexcept;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    HMENU handle() const { return menu; }
    explicit operator bool() const { return menu != nullptr; }
    // The popup at the position, owned by this menu; nullptr if none.
    HMENU submenu(int position) const;

    static Menu load(HINSTANCE instance, int resourceId);
    static Menu createPopup();

    // Shows popup at the screen point; the choice arrives at owner as
    // WM_COMMAND. The owner is made the foreground window first, without
    // which the menu would not close when the user clicks elsewhere (a
    // notification-area menu's owner is a hidden window).
    static void track(HMENU popup, HWND owner, POINT at, UINT flags);

private:
    HMENU menu = nullptr;
};

} // namespace wingui
