#include "system/kelWinWindowActivation.h"

namespace {

bool isTopmost(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Whether a visible window above this one in the z-order covers part of it.
// Topmost windows lie above every other, so for a window that is not
// topmost the walk ends at the first visible topmost window.
bool isPartlyCovered(HWND window)
{
    RECT own{};
    GetWindowRect(window, &own);
    const bool topmost = isTopmost(window);
    for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        if (!IsWindowVisible(above))
            continue;
        if (!topmost && isTopmost(above))
            return false;
        RECT other{};
        RECT common{};
        if (GetWindowRect(above, &other) && IntersectRect(&common, &own, &other))
            return true;
    }
    return false;
}

} // namespace

bool activateWindow(HWND window)
{
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    } else if (!IsWindowVisible(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        // The placement read back says normal or maximised, never hidden, so
        // applying it again shows the window where and as it was. Applied to
        // another program's window, Wine leaves it hidden.
        if (GetWindowPlacement(window, &placement))
            SetWindowPlacement(window, &placement);
        if (!IsWindowVisible(window))
            ShowWindow(window, SW_SHOW);
    }
    return SetForegroundWindow(window) != FALSE;
}

void toggleWindow(HWND window)
{
    if (isPartlyCovered(window) || IsIconic(window) || !IsWindowVisible(window))
        activateWindow(window);
    else
        ShowWindow(window, SW_HIDE);
}
