#pragma once

#include "automation/WindowApi.h"

// Windows through GetForegroundWindow, GetWindowThreadProcessId, GetParent,
// IsWindowVisible and InternalGetWindowText. None of them waits for the
// thread that owns the window, so they may be called from any thread.
class WinWindowApi : public WindowApi {
public:
    WindowHandle foregroundWindow() override;
    std::uint32_t processIdOf(WindowHandle window) override;
    bool hasParent(WindowHandle window) override;
    bool isVisible(WindowHandle window) override;
    std::wstring title(WindowHandle window) override;
};
