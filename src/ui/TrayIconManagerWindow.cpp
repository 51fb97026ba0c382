#include "ui/TrayIconManagerWindow.h"

namespace {
constexpr wchar_t windowClass[] = L"VantrelTrayWindow";
constexpr wchar_t windowTitle[] = L"Vantrel Tray";
constexpr UINT_PTR retryTimerId = 1;
} // namespace

TrayIconManagerWindow::TrayIconManagerWindow(std::shared_ptr<TrayIconPlatform> platform)
    : platform(std::move(platform)), taskbarCreatedMessage(RegisterWindowMessageW(L"TaskbarCreated"))
{
}

// The window, and with it the icon, goes while the derived handlers exist.
TrayIconManagerWindow::~TrayIconManagerWindow()
{
    destroy();
}

bool TrayIconManagerWindow::create()
{
    if (!createWindow(windowClass, windowTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, nullptr))
        return false;
    // An elevated program takes no messages from the taskbar's lower level
    // unless it says so; without them the icon neither answers clicks nor
    // comes back after Explorer restarts. Not elevated, this changes nothing.
    if (taskbarCreatedMessage != 0)
        ChangeWindowMessageFilterEx(hwnd(), taskbarCreatedMessage, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(hwnd(), trayCallbackMessage, MSGFLT_ALLOW, nullptr);
    return true;
}

bool TrayIconManagerWindow::addIcon(HICON icon, const std::wstring& tooltip)
{
    if (!hwnd())
        return false;
    if (!trayIcon)
        trayIcon = std::make_shared<kelTrayIconMgr>(platform, trayIconId, reinterpret_cast<std::uintptr_t>(hwnd()),
                                                    tooltip, trayCallbackMessage);
    if (trayIcon->showIcon(icon))
        return true;
    retries = 0;
    scheduleRetry();
    return false;
}

void TrayIconManagerWindow::scheduleRetry()
{
    if (retries < retryDelaysMs.size()) {
        SetTimer(hwnd(), retryTimerId, retryDelaysMs[retries], nullptr);
        return;
    }
    if (onIconRefused)
        onIconRefused();
}

void TrayIconManagerWindow::onRetryTimer()
{
    KillTimer(hwnd(), retryTimerId);
    ++retries;
    if (!trayIcon || trayIcon->retryRefused())
        return;
    scheduleRetry();
}

HICON TrayIconManagerWindow::shownIcon() const
{
    return trayIcon ? static_cast<HICON>(trayIcon->icon()) : nullptr;
}

LRESULT TrayIconManagerWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        KillTimer(hwnd(), retryTimerId);
        if (trayIcon && trayIcon->icon())
            trayIcon->removeIcon();
    } else if (message == WM_TIMER && wParam == retryTimerId) {
        onRetryTimer();
        return 0;
    } else if (message == taskbarCreatedMessage && taskbarCreatedMessage != 0) {
        onTaskbarCreated();
        return 0;
    } else if (message == trayCallbackMessage) {
        onTrayNotify(lParam);
        return 0;
    }
    return wingui::Wnd::windowProc(message, wParam, lParam);
}

void TrayIconManagerWindow::onTaskbarCreated()
{
    if (!trayIcon)
        return;
    trayIcon->showAgain();
    // The new taskbar took the icon: the retries have nothing left to do.
    if (trayIcon->icon())
        KillTimer(hwnd(), retryTimerId);
}

void TrayIconManagerWindow::onTrayNotify(LPARAM mouseMessage)
{
    // Button-up, double clicks and moves do nothing: a double click acts
    // once, through its first button-down.
    if (mouseMessage == WM_LBUTTONDOWN)
        onLeftButtonDown();
    else if (mouseMessage == WM_RBUTTONDOWN)
        onRightButtonDown();
}
