#include "automation/WinWindowEnumerator.h"

#include <windows.h>

namespace {

BOOL CALLBACK appendWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<WindowHandle>*>(windows)->push_back(window);
    return TRUE;
}

} // namespace

std::vector<WindowHandle> WinWindowEnumerator::enumerate()
{
    std::vector<WindowHandle> windows;
    EnumWindows(appendWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}
