#include "ui/wingui/ModalBox.h"

namespace wingui {

namespace {

struct BoxSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK findOwnedBox(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<BoxSearch*>(param);
    if (GetWindow(window, GW_OWNER) != search->owner || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HWND openModalBox(HWND owner)
{
    const HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    // A modal box disables its owner for as long as it is open.
    if (!root || IsWindowEnabled(root))
        return nullptr;
    BoxSearch search{root, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(root, nullptr), findOwnedBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool bringOpenModalBoxForward(HWND owner)
{
    const HWND box = openModalBox(owner);
    if (!box)
        return false;
    SetForegroundWindow(box);
    return true;
}

} // namespace wingui
