#include "ui/wingui/Dpi.h"

#include "ui/wingui/WindowDc.h"

namespace wingui {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time, so that the program still starts where it is
// missing.
GetDpiForWindowFunction getDpiForWindow()
{
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

UINT screenDpi()
{
    WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.handle(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

UINT dpiForWindow(HWND window)
{
    if (auto function = getDpiForWindow()) {
        if (UINT dpi = window ? function(window) : 0)
            return dpi;
    }
    return screenDpi();
}

int scaleForDpi(int pixelsAt96, UINT dpi)
{
    return MulDiv(pixelsAt96, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

} // namespace wingui
