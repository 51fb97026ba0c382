#pragma once

#include "ui/wingui/Wnd.h"

namespace wingui {

// The platform's hotkey input control ("msctls_hotkey32").
class HotkeyControl : public Wnd {
public:
    struct Combination {
        BYTE virtualKey = 0; // 0: empty
        BYTE modifiers = 0;  // HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT, HOTKEYF_EXT
    };

    Combination combination() const;
    void setCombination(Combination keys);
};

} // namespace wingui
