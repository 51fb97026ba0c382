#pragma once

#include <windows.h>

#include <functional>

// A window that is never shown and only receives what is posted or sent to
// it (a message-only window), each message going to a handler. Messages to
// a window are dispatched by whichever message loop the thread runs at the
// time, its main loop or the modal loop of a message box, a menu, a dialog
// or a window move, where a message to the thread itself would be lost.
//
// Made, used and destroyed on one thread, whose loops dispatch its messages;
// the handler runs there, from inside whatever loop runs.
class WinMessageOnlyWindow {
public:
    // True when the handler took the message; others go to the default procedure.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit WinMessageOnlyWindow(Handler handler);
    ~WinMessageOnlyWindow();
    WinMessageOnlyWindow(const WinMessageOnlyWindow&) = delete;
    WinMessageOnlyWindow& operator=(const WinMessageOnlyWindow&) = delete;

    // Null when the window could not be made.
    HWND handle() const { return window; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler;
    HWND window = nullptr;
};
