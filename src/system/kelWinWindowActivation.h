#pragma once

#include <windows.h>

// Brings the window back and to the front: a minimised one is restored, a
// hidden one shown where it last was. Returns whether it became the
// foreground window.
bool activateWindow(HWND window);

// What a click on the tray icon does to the main window: shows it when it
// is hidden or minimised, raises it when another visible window covers part
// of it, and hides it when it is fully on top.
void toggleWindow(HWND window);
