#pragma once

#include "system/kelIsWinAppRunningAlready.h"
#include "ui/wingui/Application.h"
#include "ui/wingui/Icon.h"

#include <memory>
#include <string>

class CVtWindowsDlg;
class GdiplusSession;
class kelAppAutorunBase;
class PerformsTasksInUiThreadObjList;
class VtTrayIconManagerWindow;
class VtUiManager;

// Everything the UI thread keeps alive while the message loop runs. The
// members are declared so that their release runs in shut-down order:
// GDI+ first, then the UI task list, the UI manager (and with it the model),
// the main window and last the tray window with its icon.
struct WindowsAppObjects {
    wingui::Icon trayIcon;
    std::shared_ptr<VtTrayIconManagerWindow> trayWindow;
    std::shared_ptr<CVtWindowsDlg> mainDialog;
    std::shared_ptr<VtUiManager> uiManager;
    std::shared_ptr<PerformsTasksInUiThreadObjList> uiTaskList;
    std::unique_ptr<GdiplusSession> gdiplusToken;
};

// The process: start-up, the message loop with its filters, and shut-down.
// Run (from the base) returns the exit code.
class CVtWindowsApp : public wingui::Application {
public:
    explicit CVtWindowsApp(HINSTANCE instance);
    ~CVtWindowsApp() override;

    // Whether Windows started the program ("-autorun"): it then belongs in
    // the tray only and gives way quietly to an instance that runs already.
    bool isAutorunStart() const { return autorunStart; }
    // Start with Windows, for the windows that let the user switch it.
    std::shared_ptr<kelAppAutorunBase> autorun() const { return appAutorun; }

protected:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    // The main window and the tray icon, once the model runs; false when the
    // main window cannot be made.
    bool createWindows();
    // The tray window and its icon, which show and hide mainWindow.
    void createTray(HWND mainWindow);
    // The end of the Windows session: the process may be ended as soon as
    // the message that says so has been answered, so everything Exit does to
    // the model is done at once (VtApp::shutDown); the message loop then
    // ends as after Exit, should the process still run.
    void endSession();
    // Held from start-up until the application object goes.
    kelIsWinAppRunningAlready instanceGuard;
    std::unique_ptr<WindowsAppObjects> objects;
    std::shared_ptr<kelAppAutorunBase> appAutorun;
    bool autorunStart = false;
};

// The folder of the running executable, without a trailing backslash.
std::wstring programFolder();
// Start with Windows for the running executable: the Run value "Vantrel"
// with the quoted path of this executable and " -autorun".
std::shared_ptr<kelAppAutorunBase> makeProgramAutorun();
