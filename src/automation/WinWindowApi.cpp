#include "automation/WinWindowApi.h"

#include <windows.h>

#include <array>

// Declared by the platform's documentation but not by the cross compiler's
// headers; the import library has it.
extern "C" __declspec(dllimport) int WINAPI InternalGetWindowText(HWND window, LPWSTR text, int maxCount);

WindowHandle WinWindowApi::foregroundWindow()
{
    return GetForegroundWindow();
}

std::uint32_t WinWindowApi::processIdOf(WindowHandle window)
{
    DWORD processId = 0;
    if (window)
        GetWindowThreadProcessId(window, &processId);
    return processId;
}

bool WinWindowApi::hasParent(WindowHandle window)
{
    return GetParent(window) != nullptr;
}

bool WinWindowApi::isVisible(WindowHandle window)
{
    return IsWindowVisible(window) != FALSE;
}

std::wstring WinWindowApi::title(WindowHandle window)
{
    // GetWindowTextW would send a window of this program a message and wait
    // for its thread: the tracking thread would then hang on a UI thread that
    // is itself waiting for the tracker to stop. The title kept with the
    // window is read without a message.
    std::array<wchar_t, maxTitleLength + 1> text{};
    const int length = InternalGetWindowText(window, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}
