#include "actions/WinHotkeyPlatform.h"

WinHotkeyPlatform::WinHotkeyPlatform()
    : messages([this](UINT message, WPARAM wParam, LPARAM) { return onMessage(message, wParam); })
{
}

bool WinHotkeyPlatform::registerHotkey(std::uint32_t id, std::uint32_t platformModifiers, std::uint32_t virtualKey)
{
    return window() && RegisterHotKey(window(), static_cast<int>(id), platformModifiers, virtualKey) != FALSE;
}

bool WinHotkeyPlatform::unregisterHotkey(std::uint32_t id)
{
    return window() && UnregisterHotKey(window(), static_cast<int>(id)) != FALSE;
}

bool WinHotkeyPlatform::onMessage(UINT message, WPARAM wParam)
{
    if (message != WM_HOTKEY)
        return false;
    // Copied: the receiver may replace itself.
    if (const Receiver current = receiver)
        current(static_cast<std::uint32_t>(wParam));
    return true;
}
