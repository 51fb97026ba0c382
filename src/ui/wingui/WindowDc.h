#pragma once

#include <windows.h>

namespace wingui {

// The device context of a window's client area (of the screen for nullptr),
// released with the object.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window(window), dc(GetDC(window)) {}
    ~WindowDc()
    {
        if (dc)
            ReleaseDC(window, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC handle() const { return dc; }

private:
    HWND window;
    HDC dc;
};

} // namespace wingui
