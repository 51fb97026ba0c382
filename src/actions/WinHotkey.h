#pragma once

#include "actions/Hotkey.h"
#include "actions/HotkeyList.h"
#include "actions/HotkeyPlatform.h"

#include <memory>

// A hotkey registered with the platform, which reports it to its receiver.
// Register and unregister on the UI thread. Without a platform (tests of the
// data alone) nothing registers.
class WinHotkey : public Hotkey {
public:
    explicit WinHotkey(std::shared_ptr<HotkeyPlatform> platform, Callback callback = {})
        : Hotkey(std::move(callback)), platform(std::move(platform))
    {
    }

    bool registerHotkey() override
    {
        return platform && platform->registerHotkey(id, platformModifiersOf(modifiers), virtualKey);
    }
    bool unregisterHotkey() override { return platform && platform->unregisterHotkey(id); }

protected:
    std::shared_ptr<HotkeyPlatform> platform;
};

class WinHotkeyList : public HotkeyList {
public:
    explicit WinHotkeyList(std::shared_ptr<HotkeyPlatform> platform) : platform(std::move(platform)) {}

    std::shared_ptr<Hotkey> createHotkey() override { return std::make_shared<WinHotkey>(platform); }

protected:
    std::shared_ptr<HotkeyPlatform> platform;
};
