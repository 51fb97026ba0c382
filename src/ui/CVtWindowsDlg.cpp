#include "ui/CVtWindowsDlg.h"

#include "localization/StringParameter.h"
#include "localization/VtUiLocalizationManager.h"
#include "localization/WinDialogTranslation.h"
#include "support/PerformsTasksInUiThread.h"
#include "ui/CAboutDlg.h"
#include "ui/CDlgProfileName.h"
#include "ui/VtUiManager.h"
#include "ui/resource.h"
#include "ui/wingui/Dpi.h"
#include "ui/wingui/MessageBox.h"
#include "ui/wingui/ModalBox.h"

#include <span>

namespace {

constexpr UINT_PTR uiTasksTimerId = 1;
constexpr UINT uiTasksPeriodMs = 50;

constexpr int sliderIds[] = {IDC_BRIGHTNESS_SLIDER, IDC_CONTRAST_SLIDER, IDC_RED_SLIDER, IDC_GREEN_SLIDER,
                             IDC_BLUE_SLIDER};
constexpr int captionIds[] = {IDC_BRIGHTNESS_CAPTION, IDC_CONTRAST_CAPTION, IDC_RED_CAPTION, IDC_GREEN_CAPTION,
                              IDC_BLUE_CAPTION};
constexpr int percentageIds[] = {IDC_BRIGHTNESS_VALUE, IDC_CONTRAST_VALUE, IDC_RED_VALUE, IDC_GREEN_VALUE,
                                 IDC_BLUE_VALUE};

constexpr DialogTranslationEntry translation[] = {
    {IDC_PROFILE_CAPTION, 0, dialogTextColon},    {ID_SAVE_PROFILE, 1, 0},
    {ID_DELETE_PROFILE, 16, 0},                   {ID_RESTORE_ORIGINALS, 2, 0},
    {IDC_BRIGHTNESS_CAPTION, 3, dialogTextColon}, {IDC_CONTRAST_CAPTION, 4, dialogTextColon},
    {IDC_RED_CAPTION, 5, dialogTextColon},        {IDC_GREEN_CAPTION, 6, dialogTextColon},
    {IDC_BLUE_CAPTION, 7, dialogTextColon},       {ID_OPEN_SETTINGS, 8, 0},
    {IDC_MONITOR_GROUP, 9, dialogTextColon},      {0, 0, 0},
};

struct ToolbarButton {
    int command;
    const wchar_t* image;
    int tooltip;
};
constexpr ToolbarButton profileButtons[] = {
    {ID_SAVE_PROFILE, L"\\Save_16x16.png", 1},
    {ID_DELETE_PROFILE, L"\\Remove_16x16.png", 16},
    {ID_RESTORE_ORIGINALS, L"\\Undo_16x16.png", 2},
};
constexpr ToolbarButton lowerButtons[] = {
    {ID_OPEN_SETTINGS, L"\\Settings_16x16.png", 8},
    {ID_APP_ABOUT, L"\\Help_16x16.png", 25},
};

constexpr int confirmCaption = 38;
constexpr int restoreQuestion = 39;
constexpr int deleteQuestion = 72;

std::size_t indexOf(PictureValue value)
{
    return static_cast<std::size_t>(value);
}

int tooltipOf(int command)
{
    for (const auto& buttons : {std::span<const ToolbarButton>(profileButtons), std::span<const ToolbarButton>(lowerButtons)}) {
        for (const ToolbarButton& button : buttons) {
            if (button.command == command)
                return button.tooltip;
        }
    }
    return -1;
}

} // namespace

CVtWindowsDlg::CVtWindowsDlg(std::shared_ptr<const kelBinaryFileVersionInfo> versionInfo,
                             std::weak_ptr<PerformsTasksInUiThreadObjList> uiTaskList,
                             std::shared_ptr<kelAppAutorunBase> autorun, std::wstring resourcesFolder)
    : wingui::Dialog(IDD_VANTREL_DIALOG), versionInfo(std::move(versionInfo)), uiTaskList(std::move(uiTaskList)),
      autorun(std::move(autorun)), resourcesFolder(std::move(resourcesFolder))
{
}

// The window goes first, while the controls bound to it still exist.
CVtWindowsDlg::~CVtWindowsDlg()
{
    if (languages)
        languages->removeConsumer(this);
    destroy();
}

void CVtWindowsDlg::setUiManager(const std::shared_ptr<VtUiManager>& manager)
{
    uiManager = manager;
    if (languages)
        languages->removeConsumer(this);
    languages = manager ? manager->localizationManager() : nullptr;
    if (languages)
        languages->addConsumer(this);
}

void CVtWindowsDlg::onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t, va_list)
{
    if (raiser != languages.get() || !hwnd())
        return;
    applyTexts();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool CVtWindowsDlg::create()
{
    return createModeless(nullptr);
}

bool CVtWindowsDlg::onInitDialog()
{
    SetWindowTextW(hwnd(), L"Vantrel");
    setIcons();
    bindControls();
    createToolbars();
    raiseEvent(VtBaseSettingsUi::VaEvent{});
    if (profiles.hasSelection())
        currentProfileName = profiles.selectedValue();
    updateDeleteButton();
    SetTimer(hwnd(), uiTasksTimerId, uiTasksPeriodMs, nullptr);
    applyTexts();
    return true;
}

// At the window's DPI, so that the title bar and the task switcher show the
// icon's own pixels rather than a blurred 16-pixel image.
void CVtWindowsDlg::setIcons()
{
    const UINT dpi = wingui::dpiForWindow(hwnd());
    smallIcon = wingui::Icon::load(resources, IDR_MAINFRAME, wingui::scaleForDpi(16, dpi));
    bigIcon = wingui::Icon::load(resources, IDR_MAINFRAME, wingui::scaleForDpi(32, dpi));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.handle()));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.handle()));
}

void CVtWindowsDlg::bindControls()
{
    profileCombo.onSelectionChanged = [this] { onProfileChosen(); };
    profileCombo.attachItem(*this, IDC_PROFILE_LIST);
    monitorCombo.onSelectionChanged = [this] { monitors.raiseSelectionChanged(); };
    monitorCombo.attachItem(*this, IDC_MONITOR_LIST);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto value = static_cast<PictureValue>(i);
        values[i].slider.onPositionChanging = [this, value](int position) { onSliderMoved(value, position); };
        values[i].slider.attachItem(*this, sliderIds[i]);
        values[i].percentage.attachItem(*this, percentageIds[i]);
    }
}

// Toolbars have no template form: each is made in code at the place its
// hidden placeholder keeps in the layout, and takes the placeholder's place
// in the Tab order. The images follow the window's DPI.
void CVtWindowsDlg::createToolbars()
{
    const int imageSize = wingui::scaleForDpi(16, wingui::dpiForWindow(hwnd()));
    const auto fill = [&](wingui::Toolbar& toolbar, ToolbarImages& images, std::span<const ToolbarButton> buttons) {
        images.normal = std::make_unique<wingui::ImageList>(imageSize);
        images.disabled = std::make_unique<wingui::ImageList>(imageSize);
        for (const ToolbarButton& button : buttons) {
            const int image = images.normal->addPngFile(resourcesFolder + button.image);
            images.disabled->addPngFile(resourcesFolder + button.image, true);
            toolbar.buttons.push_back({button.command, image});
        }
        toolbar.images = images.normal->handle();
        toolbar.disabledImages = images.disabled->handle();
        toolbar.onButtonClicked = [this](int command) {
            onCommand(command, BN_CLICKED, nullptr);
        };
        toolbar.tooltipText = [this](int command) { return text(tooltipOf(command)).substr(0, 160); };
    };

    fill(profileToolbar, profileImages, profileButtons);
    const HWND profilePlace = item(IDC_PROFILE_TOOLBAR_PLACE);
    RECT place{};
    GetWindowRect(profilePlace, &place);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
    profileToolbar.create(*this, IDC_PROFILE_TOOLBAR, place, profilePlace);

    fill(lowerToolbar, lowerImages, lowerButtons);
    const HWND lowerPlace = item(IDC_LOWER_TOOLBAR_PLACE);
    GetWindowRect(lowerPlace, &place);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
    lowerToolbar.create(*this, IDC_LOWER_TOOLBAR, place, lowerPlace);
    const SIZE size = lowerToolbar.maxSize();
    SetWindowPos(lowerToolbar.hwnd(), nullptr, place.right - size.cx, place.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Until the settings window exists its button stays, greyed out.
    lowerToolbar.setButtonEnabled(ID_OPEN_SETTINGS, false);
}

void CVtWindowsDlg::applyTexts()
{
    const auto ui = uiManager.lock();
    if (const UiLocalization* language = ui ? ui->language() : nullptr)
        translator.apply(hwnd(), translation, *language);
}

std::wstring CVtWindowsDlg::text(int index) const
{
    const auto ui = uiManager.lock();
    return ui ? ui->text(index) : std::wstring();
}

float CVtWindowsDlg::sliderFraction(PictureValue value)
{
    return static_cast<float>(values[indexOf(value)].slider.value()) / 100.0f;
}

void CVtWindowsDlg::setSliderFraction(PictureValue value, float fraction)
{
    // The whole percent below; the small addition keeps a fraction read as
    // 0.57 from showing as 56 through rounding in single precision.
    const int position = static_cast<int>(fraction * 100.0f + 0.001f);
    values[indexOf(value)].slider.setValue(position);
    values[indexOf(value)].percentage.setText(std::to_wstring(values[indexOf(value)].slider.value()) + L"%");
}

void CVtWindowsDlg::enableValue(PictureValue value, bool enabled)
{
    values[indexOf(value)].slider.setEnabled(enabled);
    values[indexOf(value)].percentage.setEnabled(enabled);
    EnableWindow(item(captionIds[indexOf(value)]), enabled);
}

std::wstring CVtWindowsDlg::askProfileName()
{
    CDlgProfileName dialog(uiManager, currentProfileName);
    std::wstring name = dialog.ask(hwnd());
    if (!name.empty())
        currentProfileName = name;
    return name;
}

void CVtWindowsDlg::showAbout()
{
    CAboutDlg about(versionInfo.get(), uiManager);
    about.runModal(hwnd());
}

void CVtWindowsDlg::onSliderMoved(PictureValue value, int position)
{
    values[indexOf(value)].percentage.setText(std::to_wstring(position) + L"%");
    raiseEvent(MonitorSettingsUi::VaEvent(value));
}

void CVtWindowsDlg::onProfileChosen()
{
    profiles.raiseSelectionChanged();
    currentProfileName = profiles.selectedValue();
    updateDeleteButton();
}

void CVtWindowsDlg::updateDeleteButton()
{
    const bool chosen = profiles.hasSelection() && !profiles.selectedValue().empty();
    if (profileToolbar.isButtonEnabled(ID_DELETE_PROFILE) != chosen)
        profileToolbar.setButtonEnabled(ID_DELETE_PROFILE, chosen);
}

bool CVtWindowsDlg::askYesNo(const std::wstring& question)
{
    return wingui::messageBox(hwnd(), question, text(confirmCaption), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CVtWindowsDlg::confirmRestoreOriginals()
{
    if (askYesNo(withStringParameter(text(restoreQuestion), L"Vantrel")))
        raiseEvent(ProfilesManageUi::VaEvent(ProfilesManageUi::RestoreOriginals));
}

void CVtWindowsDlg::confirmDeleteProfile()
{
    if (!profiles.hasSelection())
        return;
    const std::wstring name = profiles.selectedValue();
    if (!askYesNo(withStringParameter(text(deleteQuestion), name)))
        return;
    raiseEvent(ProfilesManageUi::VaDeleteProfileEvent(name));
    currentProfileName.clear();
    updateDeleteButton();
}

bool CVtWindowsDlg::onCommand(int id, int notifyCode, HWND control)
{
    // A command that opens a box, arriving while one is open (posted to
    // this disabled window), brings that box to the front instead.
    const bool opensBox = id == ID_SAVE_PROFILE || id == ID_RESTORE_ORIGINALS || id == ID_DELETE_PROFILE ||
                          id == ID_APP_ABOUT;
    if (opensBox && wingui::bringOpenModalBoxForward(hwnd()))
        return true;
    switch (id) {
    case ID_SAVE_PROFILE:
        raiseEvent(ProfilesManageUi::VaEvent(ProfilesManageUi::SaveProfile));
        updateDeleteButton();
        return true;
    case ID_RESTORE_ORIGINALS:
        confirmRestoreOriginals();
        return true;
    case ID_DELETE_PROFILE:
        confirmDeleteProfile();
        return true;
    case ID_APP_ABOUT:
        showAbout();
        return true;
    case ID_APP_EXIT:
        // Only the exit command ends the program; the window also goes when
        // this object does.
        destroy();
        PostQuitMessage(0);
        return true;
    default:
        return wingui::Dialog::onCommand(id, notifyCode, control);
    }
}

bool CVtWindowsDlg::onTimer(UINT_PTR timerId)
{
    if (timerId != uiTasksTimerId)
        return false;
    if (auto tasks = uiTaskList.lock())
        tasks->performTasks();
    updateDeleteButton();
    return true;
}

void CVtWindowsDlg::onOk()
{
    ShowWindow(hwnd(), SW_HIDE);
}

void CVtWindowsDlg::onCancel()
{
    ShowWindow(hwnd(), SW_HIDE);
}

void CVtWindowsDlg::onDestroy()
{
    KillTimer(hwnd(), uiTasksTimerId);
}
