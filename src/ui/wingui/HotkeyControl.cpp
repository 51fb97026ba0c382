#include "ui/wingui/HotkeyControl.h"

#include <commctrl.h>

namespace wingui {

HotkeyControl::Combination HotkeyControl::combination() const
{
    const auto keys = static_cast<WORD>(SendMessageW(hwnd(), HKM_GETHOTKEY, 0, 0));
    return {LOBYTE(keys), HIBYTE(keys)};
}

void HotkeyControl::setCombination(Combination keys)
{
    SendMessageW(hwnd(), HKM_SETHOTKEY, MAKEWORD(keys.virtualKey, keys.modifiers), 0);
}

} // namespace wingui
