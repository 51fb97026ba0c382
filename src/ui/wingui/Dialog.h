#pragma once

#include <windows.h>

namespace wingui {

// A dialog created from a template that dispatches its messages to virtual
// handlers. It owns its window: destroying the object destroys the window.
class Dialog {
public:
    Dialog() = default;
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    bool createModeless(HINSTANCE instance, int templateId, HWND parent);
    HWND hwnd() const { return window; }
    void destroy();

protected:
    // Returns whether the system should set the default focus.
    virtual bool onInitDialog() { return true; }
    virtual void onCommand(WORD id, WORD notifyCode, HWND control) {}
    virtual void onTimer(UINT_PTR timerId) {}
    virtual void onClose() {}
    virtual void onDestroy() {}
    // Any other message; returns true when handled, with the result set.
    virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) { return false; }

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window = nullptr;
};

} // namespace wingui
