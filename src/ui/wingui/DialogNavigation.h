#pragma once

#include <windows.h>

namespace wingui {

// The keyboard navigation of the calling thread's modeless top-level dialogs
// and property sheets: Tab and Shift+Tab, arrow keys within a group,
// mnemonics, Enter for the default button and Escape for Cancel. A modeless
// window gets none of this unless its messages pass IsDialogMessage (or, for
// a property sheet, PSM_ISDIALOGMESSAGE) before they are dispatched; the
// message loop asks translate for every message. Modal dialogs of this layer
// are modeless ones with a loop of their own, so they are listed here too.
// Child dialogs (an embedded editor, a property page) are navigated through
// the top-level window that holds them.
//
// UI thread only: the list is kept per thread.
class DialogNavigation {
public:
    enum class Kind { dialog, propertySheet };

    static void add(HWND window, Kind kind);
    static void remove(HWND window);
    // Gives the message to the listed window it is for; returns whether that
    // window consumed it (the caller then must not dispatch it).
    static bool translate(MSG& message);
};

} // namespace wingui
