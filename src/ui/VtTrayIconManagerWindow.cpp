#include "ui/VtTrayIconManagerWindow.h"

#include "app/VtApp.h"
#include "app/VtProductAddresses.h"
#include "app/WinReferralLink.h"
#include "profiles/MonitorsProfileList.h"
#include "profiles/VtSettingsManager.h"
#include "system/kelAppAutorunBase.h"
#include "system/kelWinOpenWebPage.h"
#include "system/kelWinWindowActivation.h"
#include "ui/CAboutDlg.h"
#include "ui/VtBaseSettingsUi.h"
#include "ui/VtBaseSettingsUiManager.h"
#include "ui/VtUiManager.h"
#include "ui/resource.h"
#include "ui/wingui/Menu.h"
#include "ui/wingui/ModalBox.h"

#include <vector>

namespace {

struct MenuText {
    int command;
    int text;
};
constexpr MenuText menuTexts[] = {
    {ID_SHOW_MAIN_WINDOW, 23}, {ID_LOAD_ON_STARTUP, 11}, {ID_VISIT_FORUM, 33},
    {ID_FEATURE_REQUEST, 34},  {ID_APP_EXIT, 24},
};
constexpr int feedbackPosition = 4;
constexpr int feedbackText = 32;
constexpr int aboutText = 25;

void setItemText(HMENU menu, UINT item, BOOL byPosition, const std::wstring& text)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    std::wstring copy = text;
    info.dwTypeData = copy.data();
    SetMenuItemInfoW(menu, item, byPosition, &info);
}

} // namespace

VtTrayIconManagerWindow::VtTrayIconManagerWindow(HINSTANCE instance, std::shared_ptr<kelAppAutorunBase> autorun,
                                                 std::shared_ptr<const kelBinaryFileVersionInfo> versionInfo,
                                                 std::weak_ptr<VtUiManager> uiManager,
                                                 std::function<void()> exitCallback,
                                                 std::shared_ptr<TrayIconPlatform> platform)
    : TrayIconManagerWindow(std::move(platform)), instance(instance), autorun(std::move(autorun)),
      versionInfo(std::move(versionInfo)), uiManager(std::move(uiManager)), exitCallback(std::move(exitCallback))
{
}

LRESULT VtTrayIconManagerWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // FALSE: another program refused, and the session goes on.
        if (wParam && onSessionEnd)
            onSessionEnd();
        return 0;
    default:
        return TrayIconManagerWindow::windowProc(message, wParam, lParam);
    }
}

bool VtTrayIconManagerWindow::onCommand(int id, int notifyCode, HWND control)
{
    switch (id) {
    case ID_SHOW_MAIN_WINDOW:
        if (mainWindow)
            activateWindow(mainWindow);
        return true;
    case ID_LOAD_ON_STARTUP:
        if (autorun)
            autorun->setEnabled(!autorun->isEnabled());
        return true;
    case ID_VISIT_FORUM:
        openWebPage(referralLink(VtProductAddresses::forumPage));
        return true;
    case ID_FEATURE_REQUEST:
        openWebPage(VtProductAddresses::featureRequestPage);
        return true;
    case ID_APP_ABOUT:
        showAbout();
        return true;
    case ID_APP_EXIT:
        if (exitCallback)
            exitCallback();
        return true;
    default:
        if (profileMenu.profileOf(id)) {
            applyProfile(id);
            return true;
        }
        return TrayIconManagerWindow::onCommand(id, notifyCode, control);
    }
}

void VtTrayIconManagerWindow::onRightButtonDown()
{
    if (wingui::bringOpenModalBoxForward(mainWindow))
        return;
    wingui::Menu menu = wingui::Menu::load(instance, IDR_TRAY_MENU);
    HMENU popup = menu.submenu(0);
    if (!popup)
        return;
    if (const auto ui = uiManager.lock(); ui && ui->language()) {
        for (const MenuText& item : menuTexts)
            setItemText(popup, static_cast<UINT>(item.command), FALSE, ui->text(item.text));
        setItemText(popup, ID_APP_ABOUT, FALSE, ui->text(aboutText) + L" Vantrel");
        setItemText(popup, feedbackPosition, TRUE, ui->text(feedbackText));
    }
    SetMenuDefaultItem(popup, ID_SHOW_MAIN_WINDOW, FALSE);
    const bool startsWithWindows = autorun && autorun->isEnabled();
    CheckMenuItem(popup, ID_LOAD_ON_STARTUP, MF_BYCOMMAND | (startsWithWindows ? MF_CHECKED : MF_UNCHECKED));
    trackAtCursor(popup);
}

void VtTrayIconManagerWindow::onLeftButtonDown()
{
    if (wingui::bringOpenModalBoxForward(mainWindow))
        return;
    if (profilesOnLeftClick()) {
        showProfileMenu();
        return;
    }
    SetForegroundWindow(hwnd());
    if (mainWindow)
        toggleWindow(mainWindow);
}

bool VtTrayIconManagerWindow::profilesOnLeftClick() const
{
    const auto ui = uiManager.lock();
    const auto app = ui ? ui->app() : nullptr;
    const auto settings = app ? app->settings() : nullptr;
    return settings && settings->switchProfilesUsingMlcOnTrayIcon();
}

void VtTrayIconManagerWindow::showProfileMenu()
{
    const auto ui = uiManager.lock();
    const auto profiles = ui && ui->app() ? ui->app()->profiles() : nullptr;
    if (!profiles)
        return;
    const auto window = ui->mainWindowUi();
    const std::wstring current = window && window->profileList().hasSelection()
                                     ? window->profileList().selectedValue()
                                     : std::wstring();
    std::vector<std::wstring> names;
    {
        const auto lock = profiles->autoLock();
        for (const auto& [name, profile] : profiles->getProfiles())
            names.push_back(name);
    }
    profileMenu.build(names, current);

    wingui::Menu menu = wingui::Menu::createPopup();
    for (const auto& item : profileMenu.items())
        AppendMenuW(menu.handle(), MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED),
                    static_cast<UINT_PTR>(item.command), item.name.c_str());
    trackAtCursor(menu.handle());
}

void VtTrayIconManagerWindow::applyProfile(int command)
{
    const auto ui = uiManager.lock();
    const auto settingsManager = ui ? ui->baseSettingsUiManager() : nullptr;
    if (settingsManager)
        settingsManager->applyProfile(*profileMenu.profileOf(command));
}

void VtTrayIconManagerWindow::showAbout()
{
    // Owned by the main window, shown or hidden, like every box of the
    // program, so that one is open at a time.
    if (wingui::bringOpenModalBoxForward(mainWindow))
        return;
    CAboutDlg about(versionInfo.get(), uiManager);
    about.runModal(mainWindow);
}

void VtTrayIconManagerWindow::trackAtCursor(HMENU popup)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    wingui::Menu::track(popup, hwnd(), cursor, TPM_BOTTOMALIGN | TPM_RIGHTALIGN | TPM_RIGHTBUTTON);
}
