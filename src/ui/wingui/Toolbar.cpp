#include "ui/wingui/Toolbar.h"

#include <commctrl.h>

#include <algorithm>

namespace wingui {

namespace {

constexpr size_t maxTooltipLength = 160;

} // namespace

bool Toolbar::create(const Wnd& parent, int id, const RECT& bounds, HWND tabOrderAfter)
{
    const DWORD style = WS_VISIBLE | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                        CCS_NOPARENTALIGN;
    if (!createControl(TOOLBARCLASSNAMEW, id, style, bounds, parent.hwnd()))
        return false;
    SetWindowPos(hwnd(), tabOrderAfter ? tabOrderAfter : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void Toolbar::applySettings()
{
    SendMessageW(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (images) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images, &width, &height);
        SendMessageW(hwnd(), TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
        SendMessageW(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    if (disabledImages)
        SendMessageW(hwnd(), TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages));
    std::vector<TBBUTTON> toolbarButtons;
    for (const ButtonSpec& button : buttons) {
        TBBUTTON added{};
        added.iBitmap = button.image;
        added.idCommand = button.commandId;
        added.fsState = TBSTATE_ENABLED;
        added.fsStyle = BTNS_BUTTON;
        toolbarButtons.push_back(added);
    }
    SendMessageW(hwnd(), TB_ADDBUTTONSW, toolbarButtons.size(), reinterpret_cast<LPARAM>(toolbarButtons.data()));
}

void Toolbar::setButtonEnabled(int commandId, bool enabled)
{
    SendMessageW(hwnd(), TB_ENABLEBUTTON, commandId, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool Toolbar::isButtonEnabled(int commandId) const
{
    return SendMessageW(hwnd(), TB_ISBUTTONENABLED, commandId, 0) != 0;
}

SIZE Toolbar::maxSize() const
{
    SIZE size{};
    SendMessageW(hwnd(), TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    return size;
}

LRESULT Toolbar::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: {
        // Arrows, Enter and Space choose and press buttons while the toolbar
        // has the focus; Tab and Escape stay with the dialog.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool pressKey =
            key && key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_SPACE);
        return DLGC_WANTARROWS | (pressKey ? DLGC_WANTMESSAGE : 0);
    }
    case WM_SETFOCUS:
        if (SendMessageW(hwnd(), TB_GETHOTITEM, 0, 0) < 0)
            moveHotButton(1);
        break;
    case WM_KILLFOCUS:
        SendMessageW(hwnd(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
        break;
    case WM_KEYDOWN:
        if (onKeyDown(wParam))
            return 0;
        break;
    default:
        break;
    }
    return Wnd::windowProc(message, wParam, lParam);
}

bool Toolbar::onKeyDown(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
        moveHotButton(-1);
        return true;
    case VK_RIGHT:
        moveHotButton(1);
        return true;
    case VK_RETURN:
    case VK_SPACE:
        pressHotButton();
        return true;
    default:
        return false;
    }
}

// Makes the next enabled button in the direction the hot (highlighted) one;
// from no hot button, the first or last. Stops at the ends.
void Toolbar::moveHotButton(int step)
{
    const auto count = static_cast<int>(SendMessageW(hwnd(), TB_BUTTONCOUNT, 0, 0));
    auto index = static_cast<int>(SendMessageW(hwnd(), TB_GETHOTITEM, 0, 0));
    if (index < 0)
        index = step > 0 ? -1 : count;
    for (index += step; index >= 0 && index < count; index += step) {
        TBBUTTON button{};
        SendMessageW(hwnd(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
        if (button.fsState & TBSTATE_ENABLED) {
            SendMessageW(hwnd(), TB_SETHOTITEM, index, 0);
            return;
        }
    }
}

void Toolbar::pressHotButton()
{
    const auto index = static_cast<int>(SendMessageW(hwnd(), TB_GETHOTITEM, 0, 0));
    TBBUTTON button{};
    if (index < 0 || !SendMessageW(hwnd(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) ||
        !(button.fsState & TBSTATE_ENABLED))
        return;
    // The same message a click sends, so the parent handles both alike.
    SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd()));
}

bool Toolbar::onReflectedCommand(int id, int notifyCode)
{
    if (!onButtonClicked)
        return false;
    onButtonClicked(id);
    return true;
}

bool Toolbar::onReflectedNotify(NMHDR& header, LRESULT& result)
{
    // The toolbar asks for a button's tip with TBN_GETINFOTIP before it
    // passes the tooltip's own request on.
    if (header.code != TBN_GETINFOTIPW || !tooltipText)
        return false;
    auto& request = reinterpret_cast<NMTBGETINFOTIPW&>(header);
    if (request.pszText && request.cchTextMax > 0) {
        const std::wstring text = tooltipText(request.iItem);
        const size_t length = std::min({text.size(), maxTooltipLength, static_cast<size_t>(request.cchTextMax - 1)});
        text.copy(request.pszText, length);
        request.pszText[length] = L'\0';
    }
    result = 0;
    return true;
}

} // namespace wingui
