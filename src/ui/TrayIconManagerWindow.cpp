#include "ui/TrayIconManagerWindow.h"

namespace {
constexpr wchar_t windowClass[] = L"VantrelTrayWindow";
constexpr wchar_t windowTitle[] = L"Vantrel Tray";
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
    return createWindow(windowClass, windowTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                        nullptr);
}

bool TrayIconManagerWindow::addIcon(HICON icon, const std::wstring& tooltip)
{
    if (!hwnd())
        return false;
    if (!trayIcon)
        trayIcon = std::make_shared<kelTrayIconMgr>(platform, trayIconId, reinterpret_cast<std::uintptr_t>(hwnd()),
                                                    tooltip, trayCallbackMessage);
    return trayIcon->showIcon(icon);
}

HICON TrayIconManagerWindow::shownIcon() const
{
    return trayIcon ? static_cast<HICON>(trayIcon->icon()) : nullptr;
}

LRESULT TrayIconManagerWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        if (trayIcon && trayIcon->icon())
            trayIcon->removeIcon();
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
    if (trayIcon)
        trayIcon->showAgain();
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
