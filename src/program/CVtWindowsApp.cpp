#include "program/CVtWindowsApp.h"

#include "actions/VtHotkeysManager.h"
#include "actions/WinHotkeyMsgProcessor.h"
#include "actions/WinHotkeyPlatform.h"
#include "app/FolderAppConfiguration.h"
#include "app/VtApp.h"
#include "app/VtProductAddresses.h"
#include "app/WinAppConfiguration.h"
#include "app/WinReferralLink.h"
#include "automation/WinForegroundKeeperPlatform.h"
#include "automation/WinRunningForegroundAppTracker.h"
#include "backends/WinAllMonitorsManager.h"
#include "localization/StringParameter.h"
#include "localization/VtUiLocalizationManager.h"
#include "support/PerformsTasksInUiThread.h"
#include "system/kelPortableMode.h"
#include "system/kelProgramSwitches.h"
#include "system/kelRunningAppVersionInfo.h"
#include "system/kelWinAppAutorun.h"
#include "system/kelWinOpenWebPage.h"
#include "system/kelWinRunningExecutable.h"
#include "system/kelWinVersionResource.h"
#include "system/kelWinWindowActivation.h"
#include "ui/CVtWindowsDlg.h"
#include "ui/VtTrayIconManagerWindow.h"
#include "ui/VtUiManager.h"
#include "ui/WinTrayIconPlatform.h"
#include "ui/resource.h"
#include "ui/wingui/GdiplusSession.h"
#include "ui/wingui/MessageBox.h"

#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

namespace {

constexpr int anotherInstanceText = 36;
constexpr int noMonitorText = 40;
constexpr int unwritableDataFolderText = 75;

void initializeCommonControls()
{
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    InitCommonControlsEx(&controls);
}

// WMI refuses calls unless the process allows it to impersonate us; the
// results are not checked because a failure only disables WMI brightness.
void initializeComSecurity()
{
    OleInitialize(nullptr);
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY, RPC_C_IMP_LEVEL_IMPERSONATE,
                         nullptr, EOAC_SECURE_REFS, nullptr);
}

// The language files come with the program; without a usable English one it
// cannot speak to the user at all, so it says so in the only words it has.
bool languagesReady(VtUiManager& ui)
{
    if (ui.localizations().empty() || ui.localizationManager())
        return true;
    ui.loadUiSettings();
    if (ui.createLocalization())
        return true;
    MessageBoxW(nullptr, L"Damaged installation, please reinstall", L"Vantrel",
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    return false;
}

// Another instance runs. Started with Windows, this one leaves without a
// word; started by the user, it brings the running instance's window to the
// front, or says that it runs when that window cannot be found.
void giveWayToRunningInstance(bool autorunStart, VtUiManager& ui)
{
    if (autorunStart)
        return;
    if (HWND running = FindWindowW(nullptr, L"Vantrel")) {
        activateWindow(running);
        return;
    }
    wingui::messageBox(nullptr, ui.text(anotherInstanceText), L"Vantrel", MB_OK | MB_SETFOREGROUND);
}

// Nothing to adjust: the program says so, opens the help page on the
// causes, and ends.
void reportNoMonitor(VtUiManager& ui)
{
    wingui::messageBox(nullptr, ui.text(noMonitorText), L"", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    openWebPage(referralLink(VtProductAddresses::noMonitorsFoundPage));
}

// Where the settings files live: beside the program in portable mode, else in
// the user's application-data folder.
std::shared_ptr<AppConfiguration> makeConfiguration(const std::wstring& portableDataFolder)
{
    if (!portableDataFolder.empty())
        return std::make_shared<FolderAppConfiguration>(L"Vantrel", portableDataFolder);
    return std::make_shared<WinAppConfiguration>(L"Vantrel", L"Vantrel Software");
}

// A portable copy whose folder cannot be written would lose every change the
// user makes, and writing anywhere else would defeat the mode: it names the
// folder and ends.
void reportUnwritableDataFolder(VtUiManager& ui, const std::wstring& folder)
{
    wingui::messageBox(nullptr, withStringParameter(ui.text(unwritableDataFolderText), folder), L"Vantrel",
                       MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

} // namespace

std::wstring programFolder()
{
    const std::wstring path = kelRunningExecutablePath();
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::shared_ptr<kelAppAutorunBase> makeProgramAutorun()
{
    return std::make_shared<kelWinAppAutorun>(L"Vantrel", autorunCommandLine(kelRunningExecutablePath()).toString());
}

CVtWindowsApp::CVtWindowsApp(HINSTANCE instance)
    : wingui::Application(instance), objects(std::make_unique<WindowsAppObjects>())
{
}

CVtWindowsApp::~CVtWindowsApp()
{
    objects.reset();
    OleUninitialize();
}

bool CVtWindowsApp::InitInstance()
{
    initializeCommonControls();
    initializeComSecurity();

    const std::wstring folder = programFolder();
    const std::wstring portableDataFolder = kelPortableMode::dataFolder(folder);
    auto app = std::make_shared<VtApp>(
        [portableDataFolder] { return makeConfiguration(portableDataFolder); },
        [](ControlMethod preferredMethod) -> std::shared_ptr<MonitorsManager> {
            return std::make_shared<WinAllMonitorsManager>(WinMonitorPlatform::real(), preferredMethod);
        },
        VtAppPlatform{std::make_shared<WinHotkeyPlatform>(),
                      [] { return std::make_shared<WinRunningForegroundAppTracker>(); },
                      std::make_shared<WinForegroundKeeperPlatform>()});
    // Without the user's application-data folder there is nowhere to keep
    // the settings; the start ends before anything is read or written.
    if (!app->ensureStore())
        return false;
    appAutorun = makeProgramAutorun();

    objects->uiTaskList = std::make_shared<PerformsTasksInUiThreadObjList>();
    objects->mainDialog = std::make_shared<CVtWindowsDlg>(
        std::make_shared<kelRunningAppVersionInfo>(kelWinVersionResourceReader()), objects->uiTaskList, appAutorun,
        folder + L"\\Resources");
    objects->uiManager = std::make_shared<VtUiManager>(app, objects->mainDialog, objects->uiTaskList,
                                                       folder + L"\\Localizations");
    if (!languagesReady(*objects->uiManager))
        return false;

    kelProgramSwitches switches;
    parseSwitches(GetCommandLineW(), switches);
    autorunStart = ::isAutorunStart(switches);
    if (!instanceGuard.tryAcquire()) {
        giveWayToRunningInstance(autorunStart, *objects->uiManager);
        return false;
    }
    if (!portableDataFolder.empty() && !kelPortableMode::canWriteIn(portableDataFolder)) {
        reportUnwritableDataFolder(*objects->uiManager, portableDataFolder);
        return false;
    }

    if (!app->initialize()) {
        reportNoMonitor(*objects->uiManager);
        return false;
    }

    objects->gdiplusToken = std::make_unique<GdiplusSession>();
    objects->uiManager->initialize();
    // Hotkeys registered without a window arrive in this thread's queue.
    objects->messageProcessors.push_back(std::make_shared<WinHotkeyMsgProcessor>(app->hotkeys()->hotkeyList()));

    objects->mainDialog->setUiManager(objects->uiManager);
    return createWindows();
}

bool CVtWindowsApp::createWindows()
{
    if (!objects->mainDialog->create())
        return false;
    // Started with Windows, the program sits in the tray only.
    if (!autorunStart)
        ShowWindow(objects->mainDialog->hwnd(), SW_SHOW);

    const HWND mainWindow = objects->mainDialog->hwnd();
    const auto exit = [mainWindow, objects = objects.get()] {
        // The icon goes with the tray window, before the program ends.
        if (objects->trayWindow)
            objects->trayWindow->destroy();
        PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    };
    objects->trayWindow = std::make_shared<VtTrayIconManagerWindow>(
        instance(), appAutorun, objects->mainDialog->versionInformation(), objects->uiManager, exit,
        std::make_shared<WinTrayIconPlatform>());
    objects->trayWindow->create();
    objects->trayIcon = wingui::Icon::load(instance(), IDR_MAINFRAME, GetSystemMetrics(SM_CXSMICON));
    // Without its window the program runs on without an icon.
    objects->trayWindow->addIcon(objects->trayIcon.handle(), L"Vantrel");
    objects->trayWindow->mainWindow = mainWindow;
    return true;
}

bool CVtWindowsApp::PreTranslateMessage(MSG& message)
{
    for (const auto& processor : objects->messageProcessors) {
        if (processor->processMessage(message))
            return true;
    }
    return wingui::Application::PreTranslateMessage(message);
}

int CVtWindowsApp::ExitInstance()
{
    objects.reset();
    return wingui::Application::ExitInstance();
}
