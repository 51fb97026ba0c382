#include "program/CVtWindowsApp.h"

#include "actions/HotkeyList.h"
#include "actions/VtHotkeysManager.h"
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

// The operating system may restart the program after an update or a crash.
// It comes back as a start with Windows does: in the tray, and giving way
// quietly to an instance started meanwhile (by the Run key at logon).
void registerForRestart()
{
    RegisterApplicationRestart(L"-autorun", 0);
}

// Hotkeys reach the list through a weak reference: the list's hotkeys hold
// the platform, which holds this receiver.
void receiveHotkeys(WinHotkeyPlatform& platform, const std::shared_ptr<HotkeyList>& hotkeys)
{
    platform.setReceiver([list = std::weak_ptr<HotkeyList>(hotkeys)](std::uint32_t id) {
        if (const auto alive = list.lock())
            alive->fire(id);
    });
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

    const auto hotkeyPlatform = std::make_shared<WinHotkeyPlatform>();
    const std::wstring folder = programFolder();
    const std::wstring portableDataFolder = kelPortableMode::dataFolder(folder);
    auto app = std::make_shared<VtApp>(
        [portableDataFolder] { return makeConfiguration(portableDataFolder); },
        [](ControlMethod preferredMethod) -> std::shared_ptr<MonitorsManager> {
            return std::make_shared<WinAllMonitorsManager>(WinMonitorPlatform::real(), preferredMethod);
        },
        VtAppPlatform{hotkeyPlatform,
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
    registerForRestart();

    if (!app->initialize()) {
        reportNoMonitor(*objects->uiManager);
        return false;
    }

    objects->gdiplusToken = std::make_unique<GdiplusSession>();
    objects->uiManager->initialize();
    receiveHotkeys(*hotkeyPlatform, app->hotkeys()->hotkeyList());

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
    createTray(objects->mainDialog->hwnd());
    return true;
}

void CVtWindowsApp::createTray(HWND mainWindow)
{
    const auto exit = [mainWindow, objects = objects.get()] {
        // The icon goes with the tray window, before the program ends.
        if (objects->trayWindow)
            objects->trayWindow->destroy();
        PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    };
    objects->trayWindow = std::make_shared<VtTrayIconManagerWindow>(
        instance(), appAutorun, objects->mainDialog->versionInformation(), objects->uiManager, exit,
        std::make_shared<WinTrayIconPlatform>());
    objects->trayWindow->onSessionEnd = [this] { endSession(); };
    // Without an icon the main window is the only way to the program, even
    // on a start with Windows: it is shown rather than left hidden.
    const auto showMainWindow = [mainWindow] { ShowWindow(mainWindow, SW_SHOW); };
    objects->trayWindow->onIconRefused = showMainWindow;
    objects->trayWindow->create();
    objects->trayIcon = wingui::Icon::load(instance(), IDR_MAINFRAME, GetSystemMetrics(SM_CXSMICON));
    // A refused icon is retried by the tray window itself.
    if (!objects->trayWindow->addIcon(objects->trayIcon.handle(), L"Vantrel") && !objects->trayWindow->hwnd())
        showMainWindow();
    objects->trayWindow->mainWindow = mainWindow;
}

void CVtWindowsApp::endSession()
{
    if (const auto app = objects->uiManager ? objects->uiManager->app() : nullptr)
        app->shutDown();
    // Ends every loop, a modal one included; the exit then finds nothing
    // left to do but release.
    PostQuitMessage(0);
}

int CVtWindowsApp::ExitInstance()
{
    objects.reset();
    return wingui::Application::ExitInstance();
}
