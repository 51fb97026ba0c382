#pragma once

#include "localization/WinDialogTranslation.h"
#include "ui/ValueListUiAdapterForCComboBox.h"
#include "ui/VtBaseSettingsUi.h"
#include "ui/wingui/ComboBox.h"
#include "ui/wingui/Dialog.h"
#include "ui/wingui/Icon.h"
#include "ui/wingui/ImageList.h"
#include "ui/wingui/Label.h"
#include "ui/wingui/Toolbar.h"
#include "ui/wingui/Trackbar.h"

#include <array>
#include <memory>
#include <string>

class kelAppAutorunBase;
class kelBinaryFileVersionInfo;
class PerformsTasksInUiThreadObjList;
class VtUiLocalizationManager;
class VtUiManager;

// The main window: the profile box with its buttons, the monitor box and a
// slider per picture value. It only shows and reports; VtBaseSettingsUiManager
// decides what happens. Closing it only hides it: the program lives on in
// the tray until the exit command arrives. UI thread only; its events are
// raised on the UI thread.
class CVtWindowsDlg : public wingui::Dialog, public VtMainWindowUi, public kelConsumesVaEvents {
public:
    // Every argument may be null or empty: the window then goes without the
    // About box's version, the UI task timer's work, start with Windows or
    // the button images.
    CVtWindowsDlg(std::shared_ptr<const kelBinaryFileVersionInfo> versionInfo,
                  std::weak_ptr<PerformsTasksInUiThreadObjList> uiTaskList,
                  std::shared_ptr<kelAppAutorunBase> autorun, std::wstring resourcesFolder);
    ~CVtWindowsDlg() override;

    // Before create(): where the texts and the settings window come from.
    // The window follows the UI manager's language from then on.
    void setUiManager(const std::shared_ptr<VtUiManager>& manager);
    bool create();

    // MonitorSettingsUi, VtBaseSettingsUi, ProfilesManageUi.
    float sliderFraction(PictureValue value) override;
    void setSliderFraction(PictureValue value, float fraction) override;
    void enableValue(PictureValue value, bool enabled) override;
    ValueListUi<std::wstring>& monitorList() override { return monitors; }
    std::wstring askProfileName() override;
    ValueListUi<std::wstring>& profileList() override { return profiles; }

    std::shared_ptr<const kelBinaryFileVersionInfo> versionInformation() const { return versionInfo; }
    // The About box over this window.
    void showAbout();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int notifyCode, HWND control) override;
    bool onTimer(UINT_PTR timerId) override;
    void onOk() override;
    void onCancel() override;
    void onDestroy() override;
    // A language change: the texts again, and a full repaint.
    void onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t code, va_list args) override;

private:
    struct ValueControls {
        wingui::Trackbar slider;
        wingui::Label percentage;
    };

    void setIcons();
    void bindControls();
    void createToolbars();
    void applyTexts();
    std::wstring text(int index) const;
    bool askYesNo(const std::wstring& question);
    void onSliderMoved(PictureValue value, int position);
    void onProfileChosen();
    // The delete button acts on the chosen profile, so it is enabled exactly
    // while one is chosen.
    void updateDeleteButton();
    void confirmRestoreOriginals();
    void confirmDeleteProfile();

    std::shared_ptr<const kelBinaryFileVersionInfo> versionInfo;
    std::weak_ptr<VtUiManager> uiManager;
    // Kept for unsubscribing: the UI manager goes before this window.
    std::shared_ptr<VtUiLocalizationManager> languages;
    std::weak_ptr<PerformsTasksInUiThreadObjList> uiTaskList;
    std::shared_ptr<kelAppAutorunBase> autorun;
    std::wstring resourcesFolder;
    // The name last chosen, saved or typed; offered when saving the next.
    std::wstring currentProfileName;
    // Keeps the captions' access keys through every change of language.
    WinDialogTranslator translator;

    wingui::ComboBox profileCombo;
    wingui::ComboBox monitorCombo;
    ValueListUiAdapterForCComboBox<wingui::ComboBox> profiles{profileCombo};
    ValueListUiAdapterForCComboBox<wingui::ComboBox> monitors{monitorCombo};
    std::array<ValueControls, 5> values;
    // Each toolbar's images, and the same greyed for its disabled buttons.
    struct ToolbarImages {
        std::unique_ptr<wingui::ImageList> normal;
        std::unique_ptr<wingui::ImageList> disabled;
    };
    ToolbarImages profileImages;
    ToolbarImages lowerImages;
    wingui::Toolbar profileToolbar;
    wingui::Toolbar lowerToolbar;
    wingui::Icon smallIcon;
    wingui::Icon bigIcon;
};
