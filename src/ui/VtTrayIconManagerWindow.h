#pragma once

#include "ui/TrayIconManagerWindow.h"
#include "ui/TrayProfileMenu.h"

#include <functional>
#include <memory>

class kelAppAutorunBase;
class kelBinaryFileVersionInfo;
class VtUiManager;

// The program's tray icon: a right click opens the program menu (show the
// window, start with Windows, feedback pages, About, Exit); a left click
// shows or hides the main window, or, with "switchProfilesUsingMlcOnTrayIcon"
// on, opens a menu of the profiles and applies the one chosen. UI thread
// only. Menus are shown with no lock held; the settings and the profile
// names are read under their own locks. While a modal box of the program is
// open, a click or the About command brings it to the front instead.
class VtTrayIconManagerWindow : public TrayIconManagerWindow {
public:
    // exitCallback ends the program; everything may be null, the tray then
    // does without it (a gone UI manager: the click toggles the window and a
    // profile command does nothing).
    VtTrayIconManagerWindow(HINSTANCE instance, std::shared_ptr<kelAppAutorunBase> autorun,
                            std::shared_ptr<const kelBinaryFileVersionInfo> versionInfo,
                            std::weak_ptr<VtUiManager> uiManager, std::function<void()> exitCallback,
                            std::shared_ptr<TrayIconPlatform> platform);

    // The main window it shows and hides; set once both windows exist.
    HWND mainWindow = nullptr;
    // Runs when the Windows session ends (WM_ENDSESSION), inside the
    // message: the process may be ended as soon as it returns. As a hidden
    // top-level window this window is told even when no other is; the
    // session's end is always agreed to.
    std::function<void()> onSessionEnd;

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onCommand(int id, int notifyCode, HWND control) override;
    void onLeftButtonDown() override;
    void onRightButtonDown() override;

private:
    bool profilesOnLeftClick() const;
    void showProfileMenu();
    void applyProfile(int command);
    void showAbout();
    void trackAtCursor(HMENU popup);

    HINSTANCE instance;
    std::shared_ptr<kelAppAutorunBase> autorun;
    std::shared_ptr<const kelBinaryFileVersionInfo> versionInfo;
    std::weak_ptr<VtUiManager> uiManager;
    std::function<void()> exitCallback;
    TrayProfileMenu profileMenu;
};
