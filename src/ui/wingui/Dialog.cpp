#include "ui/wingui/Dialog.h"

#include "ui/wingui/Application.h"
#include "ui/wingui/DialogNavigation.h"

namespace wingui {

Dialog::Dialog(int templateId) : templateId(templateId)
{
}

bool Dialog::createModeless(HWND parent)
{
    if (hwnd())
        return false;
    if (!CreateDialogParamW(resources, MAKEINTRESOURCEW(templateId), parent, &Dialog::dialogProc,
                            reinterpret_cast<LPARAM>(this)))
        return false;
    if (!(GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_CHILD))
        DialogNavigation::add(hwnd(), DialogNavigation::Kind::dialog);
    return true;
}

INT_PTR Dialog::runModal(HWND owner)
{
    HWND topOwner = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (!createModeless(topOwner))
        return -1;
    runningModal = true;
    modalEnded = false;
    modalResult = IDCANCEL;
    const bool ownerWasEnabled = topOwner && IsWindowEnabled(topOwner);
    if (ownerWasEnabled)
        EnableWindow(topOwner, FALSE);
    ShowWindow(hwnd(), SW_SHOW);
    Application::runUntil([this] { return modalEnded || !hwnd(); });
    // The owner is enabled again before the dialog goes, so that the
    // activation returns to it rather than to another program; a hidden
    // owner (the main window of a program in the tray) is not activated.
    if (ownerWasEnabled)
        EnableWindow(topOwner, TRUE);
    if (hwnd() && topOwner && IsWindowVisible(topOwner) && GetActiveWindow() == hwnd())
        SetActiveWindow(topOwner);
    runningModal = false;
    destroy();
    return modalResult;
}

void Dialog::endDialog(INT_PTR result)
{
    if (!runningModal) {
        destroy();
        return;
    }
    modalResult = result;
    modalEnded = true;
    // Wakes the modal loop should it be waiting for a message.
    PostMessageW(hwnd(), WM_NULL, 0, 0);
}

bool Dialog::onCommand(int id, int notifyCode, HWND control)
{
    switch (id) {
    case IDOK:
        onOk();
        return true;
    case IDCANCEL:
        onCancel();
        return true;
    default:
        return false;
    }
}

LRESULT Dialog::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_DESTROY:
        DialogNavigation::remove(hwnd());
        break;
    default:
        break;
    }
    return Wnd::windowProc(message, wParam, lParam);
}

INT_PTR Dialog::initialize(HWND window, bool owned)
{
    if (!(owned ? adopt(window) : attach(window)))
        return FALSE;
    return onInitDialog() ? TRUE : FALSE;
}

INT_PTR CALLBACK Dialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only the first message is handled here: from then on the subclass
    // that initialize installs sees every message before this procedure.
    if (message != WM_INITDIALOG)
        return FALSE;
    return reinterpret_cast<Dialog*>(lParam)->initialize(window, true);
}

} // namespace wingui
