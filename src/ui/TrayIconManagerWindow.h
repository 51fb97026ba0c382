#pragma once

#include "ui/kelTrayIconMgr.h"
#include "ui/wingui/Wnd.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A hidden top-level window that owns the program's notification-area icon,
// receives its mouse notifications and puts it back when the taskbar is
// re-created (Explorer restarted). An icon the area refuses (at logon the
// taskbar may not be ready yet) is tried again after each of retryDelays and
// whenever a taskbar is created; when the last retry is refused too,
// onIconRefused runs, once. The window is never shown. UI thread only: every
// handler runs there, with no lock held.
class TrayIconManagerWindow : public wingui::Wnd {
public:
    // The message the icon's mouse notifications arrive as.
    static constexpr UINT trayCallbackMessage = WM_APP;
    static constexpr int trayIconId = 1;

    explicit TrayIconManagerWindow(std::shared_ptr<TrayIconPlatform> platform);
    ~TrayIconManagerWindow() override;

    // Makes the window and lets the taskbar's messages through to it when the
    // program runs elevated and the taskbar does not.
    bool create();
    // Shows the icon with the tooltip; false when the window does not exist
    // or the area refuses it, and then the retries begin.
    bool addIcon(HICON icon, const std::wstring& tooltip);
    // The icon shown; null while none is.
    HICON shownIcon() const;

    // The waits between the retries of a refused icon, over the first minute.
    std::vector<UINT> retryDelaysMs{2000, 3000, 5000, 10000, 20000, 20000};
    // The area refused the icon at every retry.
    std::function<void()> onIconRefused;

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void onTaskbarCreated();
    // lParam of the tray message: the mouse message on the icon.
    virtual void onTrayNotify(LPARAM mouseMessage);
    virtual void onLeftButtonDown() {}
    virtual void onRightButtonDown() {}

private:
    void scheduleRetry();
    void onRetryTimer();

    std::shared_ptr<TrayIconPlatform> platform;
    std::shared_ptr<kelTrayIconMgr> trayIcon;
    const UINT taskbarCreatedMessage;
    // The retries made since the icon was first refused.
    std::size_t retries = 0;
};
