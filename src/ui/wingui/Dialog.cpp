#include "ui/wingui/Dialog.h"

namespace wingui {

Dialog::~Dialog()
{
    destroy();
}

bool Dialog::createModeless(HINSTANCE instance, int templateId, HWND parent)
{
    if (window)
        return false;
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, &Dialog::dialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::destroy()
{
    if (window)
        DestroyWindow(window);
}

INT_PTR CALLBACK Dialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->window = window;
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog)
        return FALSE;
    INT_PTR result = dialog->dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->window = nullptr;
    }
    return result;
}

INT_PTR Dialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_TIMER:
        onTimer(wParam);
        return FALSE;
    case WM_CLOSE:
        onClose();
        return TRUE;
    case WM_DESTROY:
        onDestroy();
        return FALSE;
    default: {
        INT_PTR result = 0;
        return onMessage(message, wParam, lParam, result) ? result : FALSE;
    }
    }
}

} // namespace wingui
