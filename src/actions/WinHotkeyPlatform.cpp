#include "actions/WinHotkeyPlatform.h"

#include <windows.h>

bool WinHotkeyPlatform::registerHotkey(std::uint32_t id, std::uint32_t platformModifiers, std::uint32_t virtualKey)
{
    return RegisterHotKey(nullptr, static_cast<int>(id), platformModifiers, virtualKey) != FALSE;
}

bool WinHotkeyPlatform::unregisterHotkey(std::uint32_t id)
{
    return UnregisterHotKey(nullptr, static_cast<int>(id)) != FALSE;
}
