#include "ui/wingui/Label.h"

#include "ui/wingui/WindowDc.h"

namespace wingui {

void Label::applySettings()
{
    if (font)
        setFont(font);
}

void Label::onReflectedColor(HDC dc, HBRUSH& brush)
{
    if (textColor)
        SetTextColor(dc, *textColor);
}

LRESULT Link::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    case WM_LBUTTONDOWN:
        click();
        return 0;
    case WM_GETDLGCODE: {
        // Enter and Space are the link's own while it has the focus; every
        // other key stays with the dialog's navigation.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_SPACE))
            return DLGC_WANTMESSAGE;
        return defaultProc(message, wParam, lParam);
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            click();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd(), nullptr, TRUE);
        break;
    case WM_PAINT: {
        LRESULT result = defaultProc(message, wParam, lParam);
        drawFocus();
        return result;
    }
    default:
        break;
    }
    return Label::windowProc(message, wParam, lParam);
}

void Link::click()
{
    if (onClick)
        onClick();
}

void Link::drawFocus()
{
    if (GetFocus() != hwnd())
        return;
    WindowDc dc(hwnd());
    RECT area{};
    GetClientRect(hwnd(), &area);
    DrawFocusRect(dc.handle(), &area);
}

} // namespace wingui
