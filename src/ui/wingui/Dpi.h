#pragma once

#include <windows.h>

namespace wingui {

// The DPI a window is shown at: its monitor's with per-monitor awareness,
// the system's otherwise. Images and icons are sized from it, never from a
// constant 96. Systems older than Windows 10 1607 lack GetDpiForWindow; there
// the screen's DPI is used.
UINT dpiForWindow(HWND window);

// A length in pixels at 96 DPI, at the given DPI.
int scaleForDpi(int pixelsAt96, UINT dpi);

} // namespace wingui
