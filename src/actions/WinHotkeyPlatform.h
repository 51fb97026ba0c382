#pragma once

#include "actions/HotkeyPlatform.h"
#include "support/WinMessageOnlyWindow.h"

#include <cstdint>
#include <functional>

// RegisterHotKey to a message-only window of its own: WM_HOTKEY reaches the
// receiver from whatever loop the UI thread runs when the key is pressed, a
// message box's, a menu's or a window move's included (a hotkey registered
// to the thread alone would be lost there).
//
// Made, used and destroyed on the UI thread; the receiver runs there, from
// inside the loop that dispatched the message, with no lock held.
class WinHotkeyPlatform : public HotkeyPlatform {
public:
    using Receiver = std::function<void(std::uint32_t id)>;

    WinHotkeyPlatform();

    bool registerHotkey(std::uint32_t id, std::uint32_t platformModifiers, std::uint32_t virtualKey) override;
    bool unregisterHotkey(std::uint32_t id) override;

    // Who is told the id of each hotkey pressed; none until set.
    void setReceiver(Receiver receiver) { this->receiver = std::move(receiver); }
    // The window the hotkeys are registered to.
    HWND window() const { return messages.handle(); }

private:
    bool onMessage(UINT message, WPARAM wParam);

    Receiver receiver;
    WinMessageOnlyWindow messages;
};
