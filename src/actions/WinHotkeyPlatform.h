#pragma once

#include "actions/HotkeyPlatform.h"

// RegisterHotKey without a window: WM_HOTKEY goes to the registering
// thread's queue, where the message loop's filter finds the hotkey by id.
class WinHotkeyPlatform : public HotkeyPlatform {
public:
    bool registerHotkey(std::uint32_t id, std::uint32_t platformModifiers, std::uint32_t virtualKey) override;
    bool unregisterHotkey(std::uint32_t id) override;
};
