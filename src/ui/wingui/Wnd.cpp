#include "ui/wingui/Wnd.h"

#include <commctrl.h>

namespace wingui {

namespace {

// Tells our subclass apart from others that a control may carry.
constexpr UINT_PTR subclassId = 0x56544C;
// The window property that leads from a window to its object. (The
// subclass's own reference data would do, but GetWindowSubclass is missing
// from the import libraries we build with.)
constexpr wchar_t objectProperty[] = L"wingui.Wnd";

HINSTANCE instanceOf(HWND window)
{
    return window ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) : GetModuleHandleW(nullptr);
}

} // namespace

Wnd::~Wnd()
{
    if (created)
        destroy();
    release();
}

bool Wnd::attach(HWND existing)
{
    return bindHandle(existing, false);
}

bool Wnd::attachItem(const Wnd& parent, int id)
{
    return attach(GetDlgItem(parent.hwnd(), id));
}

bool Wnd::adopt(HWND made)
{
    return bindHandle(made, true);
}

bool Wnd::bindHandle(HWND target, bool owned)
{
    if (window || !target || fromHandle(target))
        return false;
    if (!SetPropW(target, objectProperty, this))
        return false;
    if (!SetWindowSubclass(target, &Wnd::subclassProc, subclassId, reinterpret_cast<DWORD_PTR>(this))) {
        RemovePropW(target, objectProperty);
        return false;
    }
    window = target;
    created = owned;
    applySettings();
    return true;
}

void Wnd::release()
{
    if (!window)
        return;
    RemoveWindowSubclass(window, &Wnd::subclassProc, subclassId);
    RemovePropW(window, objectProperty);
    window = nullptr;
    created = false;
}

void Wnd::destroy()
{
    if (window)
        DestroyWindow(window);
}

Wnd* Wnd::fromHandle(HWND window)
{
    return window ? static_cast<Wnd*>(GetPropW(window, objectProperty)) : nullptr;
}

void Wnd::setText(const std::wstring& text)
{
    SetWindowTextW(window, text.c_str());
}

std::wstring Wnd::text() const
{
    std::wstring result(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    result.resize(static_cast<size_t>(GetWindowTextW(window, result.data(), static_cast<int>(result.size()))));
    return result;
}

void Wnd::setEnabled(bool enabled)
{
    EnableWindow(window, enabled ? TRUE : FALSE);
}

bool Wnd::isEnabled() const
{
    return IsWindowEnabled(window) != FALSE;
}

void Wnd::setVisible(bool visible)
{
    ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
}

bool Wnd::isVisible() const
{
    return IsWindowVisible(window) != FALSE;
}

int Wnd::controlId() const
{
    return GetDlgCtrlID(window);
}

RECT Wnd::rectInParent() const
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

void Wnd::setFont(HFONT font)
{
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

bool Wnd::createWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, HWND parent)
{
    if (window)
        return false;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(instance, className, &windowClass)) {
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &Wnd::ownClassProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        if (!RegisterClassExW(&windowClass))
            return false;
    }
    return CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, parent, nullptr, instance, this) != nullptr;
}

bool Wnd::createControl(const wchar_t* className, int id, DWORD style, const RECT& bounds, HWND parent)
{
    if (window)
        return false;
    HWND made = CreateWindowExW(0, className, L"", style | WS_CHILD, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instanceOf(parent), nullptr);
    if (!made)
        return false;
    if (adopt(made))
        return true;
    DestroyWindow(made);
    return false;
}

LRESULT Wnd::defaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT Wnd::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (reflectToControl(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_COMMAND:
        if (onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return 0;
        break;
    case WM_NOTIFY:
        if (onNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    case WM_TIMER:
        if (onTimer(wParam))
            return 0;
        break;
    case WM_DESTROY:
        onDestroy();
        break;
    default:
        if (onMessage(message, wParam, lParam, result))
            return result;
        break;
    }
    return defaultProc(message, wParam, lParam);
}

bool Wnd::reflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND: {
        Wnd* control = fromHandle(reinterpret_cast<HWND>(lParam));
        result = 0;
        return control && control != this && control->onReflectedCommand(LOWORD(wParam), HIWORD(wParam));
    }
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        Wnd* control = fromHandle(header.hwndFrom);
        return control && control != this && control->onReflectedNotify(header, result);
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        Wnd* control = fromHandle(reinterpret_cast<HWND>(lParam));
        result = 0;
        return control && control != this && control->onReflectedScroll(LOWORD(wParam));
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
        Wnd* control = fromHandle(reinterpret_cast<HWND>(lParam));
        if (!control || control == this)
            return false;
        auto brush = reinterpret_cast<HBRUSH>(defaultProc(message, wParam, lParam));
        control->onReflectedColor(reinterpret_cast<HDC>(wParam), brush);
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    default:
        return false;
    }
}

LRESULT CALLBACK Wnd::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR object)
{
    auto* self = reinterpret_cast<Wnd*>(object);
    if (message == WM_NCDESTROY) {
        // The subclass must be gone before the window is.
        self->release();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return self->windowProc(message, wParam, lParam);
}

LRESULT CALLBACK Wnd::ownClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Wnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (!self->adopt(window))
            return FALSE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace wingui
