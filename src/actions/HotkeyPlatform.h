#pragma once

#include <cstdint>

// The platform's global hotkeys: a registered combination is reported to the
// UI thread, by id, whatever the program is doing. UI thread only.
class HotkeyPlatform {
public:
    // platformModifiers in the platform's own bits (see platformModifiersOf).
    virtual bool registerHotkey(std::uint32_t id, std::uint32_t platformModifiers, std::uint32_t virtualKey) = 0;
    virtual bool unregisterHotkey(std::uint32_t id) = 0;
    virtual ~HotkeyPlatform() = default;
};
