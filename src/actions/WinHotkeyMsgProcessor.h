#pragma once

#include "support/OsMessageProcessor.h"

#include <windows.h>

#include <memory>

class HotkeyList;

// The UI thread's filter for WM_HOTKEY: runs the callback of the hotkey with
// the message's id, outside the list's lock. Other ids pass on.
class WinHotkeyMsgProcessor : public OsMessageProcessor {
public:
    explicit WinHotkeyMsgProcessor(std::shared_ptr<HotkeyList> hotkeys) : hotkeys(std::move(hotkeys)) {}

    bool processMessage(const MSG& message) override;

private:
    std::shared_ptr<HotkeyList> hotkeys;
};
