#pragma once

#include "ui/kelTrayIconMgr.h"
#include "ui/wingui/Wnd.h"

#include <memory>
#include <string>

// A hidden top-level window that owns the program's notification-area icon,
// receives its mouse notifications and puts it back when the taskbar is
// re-created (Explorer restarted). The window is never shown. UI thread only:
// every handler runs there, with no lock held.
class TrayIconManagerWindow : public wingui::Wnd {
public:
    // The message the icon's mouse notifications arrive as.
    static constexpr UINT trayCallbackMessage = WM_APP;
    static constexpr int trayIconId = 1;

    explicit TrayIconManagerWindow(std::shared_ptr<TrayIconPlatform> platform);
    ~TrayIconManagerWindow() override;

    bool create();
    // Shows the icon with the tooltip; false, and no icon, when the window
    // does not exist or the area refuses it.
    bool addIcon(HICON icon, const std::wstring& tooltip);
    // The icon shown; null while none is.
    HICON shownIcon() const;

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void onTaskbarCreated();
    // lParam of the tray message: the mouse message on the icon.
    virtual void onTrayNotify(LPARAM mouseMessage);
    virtual void onLeftButtonDown() {}
    virtual void onRightButtonDown() {}

private:
    std::shared_ptr<TrayIconPlatform> platform;
    std::shared_ptr<kelTrayIconMgr> trayIcon;
    const UINT taskbarCreatedMessage;
};
