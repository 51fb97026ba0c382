#pragma once

#include <windows.h>

#include <string>

namespace wingui {

// The base of every window of the layer: it owns one HWND and binds it to
// this object, then turns the window's messages into calls of virtual
// handlers. The binding is always a comctl32 subclass whose reference data is
// the object (with a window property naming it), whether the window was made
// by a dialog template, by a property sheet or by this layer, so any HWND
// leads back to its object (fromHandle).
//
// Notifications that a control sends its parent (WM_COMMAND, WM_NOTIFY,
// WM_HSCROLL/WM_VSCROLL, WM_CTLCOLOR*) are first offered to the control's own
// object, so that each control kind handles its own notifications; what it
// leaves goes to the parent's handlers.
//
// Threads: a window belongs to the thread that made it; every handler runs on
// that thread, from inside its message loop, and this layer holds no lock of
// its own while it calls one.
class Wnd {
public:
    Wnd() = default;
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    HWND hwnd() const { return window; }

    // Binds an existing window to this object. A window made elsewhere (a
    // control of a dialog template) is only let go by the destructor: its
    // parent destroys it. Fails when this object already has a window or the
    // window is bound to another object.
    bool attach(HWND existing);
    // Binds the control with the given id of a dialog (or other parent).
    bool attachItem(const Wnd& parent, int id);
    // Destroys the window if this object has one. A window this object made
    // is destroyed by its destructor too; a derived class whose onDestroy
    // matters destroys the window in its own destructor, because by the time
    // the base destructor runs the derived handlers are gone.
    void destroy();

    // The object bound to a window, or nullptr.
    static Wnd* fromHandle(HWND window);

    void setText(const std::wstring& text);
    std::wstring text() const;
    void setEnabled(bool enabled);
    bool isEnabled() const;
    void setVisible(bool visible);
    bool isVisible() const;
    int controlId() const;
    // The window's rectangle in its parent's client coordinates.
    RECT rectInParent() const;
    void setFont(HFONT font);

protected:
    // Binds a window that this object has just made: it is destroyed with
    // the object.
    bool adopt(HWND made);
    // Creates a window of a class that this layer registers on first use; the
    // window is bound to this object before WM_CREATE arrives.
    bool createWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, HWND parent);
    // Creates a window of an existing class (a common control); the window
    // is bound right after it was made.
    bool createControl(const wchar_t* className, int id, DWORD style, const RECT& bounds, HWND parent);

    // The next handler in the chain: the class's own window procedure.
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Every message of the window. The base offers the notifications of
    // bound controls to them, calls the handlers below and passes what is
    // left to defaultProc; an override handles its own messages and calls
    // the base for the rest.
    virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Called once the window is bound, whether attached or made here: a
    // control applies the settings its fields were given before.
    virtual void applySettings() {}

    // Handlers of the window's own messages; each returns whether it handled
    // the message (unhandled messages go to the class's window procedure).
    virtual bool onCommand(int id, int notifyCode, HWND control) { return false; }
    virtual bool onNotify(NMHDR& header, LRESULT& result) { return false; }
    virtual bool onTimer(UINT_PTR timerId) { return false; }
    virtual void onDestroy() {}
    // Any other message, with the result to return.
    virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }

    // Handlers of the notifications this window, as a control, sent its
    // parent.
    virtual bool onReflectedCommand(int id, int notifyCode) { return false; }
    virtual bool onReflectedNotify(NMHDR& header, LRESULT& result) { return false; }
    virtual bool onReflectedScroll(int scrollCode) { return false; }
    // Called with the parent's own answer (its brush) already chosen: the
    // control may change the text colour and background mode of the device
    // context, and return another brush through brush.
    virtual void onReflectedColor(HDC dc, HBRUSH& brush) {}

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR object);
    static LRESULT CALLBACK ownClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool bindHandle(HWND target, bool owned);
    bool reflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void release();

    HWND window = nullptr;
    // Made by this object (destroyed with it) rather than attached.
    bool created = false;
};

} // namespace wingui
