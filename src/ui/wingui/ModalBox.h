#pragma once

#include <windows.h>

namespace wingui {

// One modal box at a time. Every modal box of the program (a dialog or a
// message box) is owned by the main window, which it disables while it is
// open; a request for another box that arrives meanwhile (through the tray,
// which no box disables, or a message posted to the disabled window) finds
// that box here and brings it to the front instead of nesting a second modal
// loop inside the first, whose buttons would then do nothing until the
// inner one closed. UI thread.

// The box open over owner's top-level window, or null when none is.
HWND openModalBox(HWND owner);
// Brings the box open over owner to the front; false when none is open.
bool bringOpenModalBoxForward(HWND owner);

} // namespace wingui
