#include "support/WinMessageOnlyWindow.h"

#include <utility>

namespace {

constexpr wchar_t windowClass[] = L"VantrelMessageWindow";

// Registered once per process; a second registration of the same class fails harmlessly.
ATOM registerClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClassInfo{};
    windowClassInfo.cbSize = sizeof windowClassInfo;
    windowClassInfo.lpfnWndProc = procedure;
    windowClassInfo.hInstance = instance;
    windowClassInfo.lpszClassName = windowClass;
    return RegisterClassExW(&windowClassInfo);
}

} // namespace

WinMessageOnlyWindow::WinMessageOnlyWindow(Handler handler) : handler(std::move(handler))
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, &WinMessageOnlyWindow::procedure);
    window = CreateWindowExW(0, windowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
}

WinMessageOnlyWindow::~WinMessageOnlyWindow()
{
    if (window)
        DestroyWindow(window);
}

LRESULT CALLBACK WinMessageOnlyWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    auto* self = reinterpret_cast<WinMessageOnlyWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->handler && self->handler(message, wParam, lParam))
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}
