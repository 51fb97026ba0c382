#pragma once

#include "ui/wingui/Wnd.h"

namespace wingui {

// A dialog made from a dialog template of the program's resources, modeless
// or modal. It owns its window: destroying the object destroys the window.
//
// OK and Cancel (the buttons, Enter and Escape through the keyboard
// navigation, and the close box) reach onOk, onCancel and onClose; the base
// versions end the dialog. A modal dialog is a modeless one that disables
// its owner and runs a message loop of its own until it ends (as MFC does),
// so that the application's message filters keep working while it is open.
class Dialog : public Wnd {
public:
    explicit Dialog(int templateId);

    // The dialog template's resource id.
    const int templateId;
    // Where the template is looked up; the program's module unless changed
    // before the window is made.
    HINSTANCE resources = GetModuleHandleW(nullptr);

    // Makes the window; it stays hidden unless the template says visible. A
    // top-level modeless dialog gets the keyboard navigation of
    // DialogNavigation; a child dialog (WS_CHILD) is navigated with its
    // top-level window.
    bool createModeless(HWND parent);
    // Shows the dialog over its owner (the owner's top-level window, which is
    // disabled meanwhile) and returns the result given to endDialog, IDCANCEL
    // if WM_QUIT ended the loop, or -1 if the window could not be made.
    INT_PTR runModal(HWND owner);
    // Ends a modal dialog with the result; destroys a modeless one.
    void endDialog(INT_PTR result);

protected:
    // WM_INITDIALOG; returns whether the system should give the focus to the
    // first control.
    virtual bool onInitDialog() { return true; }
    virtual void onOk() { endDialog(IDOK); }
    virtual void onCancel() { endDialog(IDCANCEL); }
    virtual void onClose() { onCancel(); }

    // IDOK and IDCANCEL go to onOk and onCancel; an override handles its own
    // commands and calls this for the rest.
    bool onCommand(int id, int notifyCode, HWND control) override;
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND item(int id) const { return GetDlgItem(hwnd(), id); }

    // Binds the dialog's window when its template is made into one; a
    // derived kind (a property page) whose window is made elsewhere calls it
    // from its own dialog procedure, with owned false.
    INT_PTR initialize(HWND window, bool owned);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool runningModal = false;
    bool modalEnded = false;
    INT_PTR modalResult = IDCANCEL;
};

} // namespace wingui
