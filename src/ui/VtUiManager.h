#pragma once

#include <memory>
#include <string>

class VtApp;
class UiLocalization;
class VtUiLocalizationManager;
class VtUiSettings;
class PerformsTasksInUiThreadObjList;
class VtBaseSettingsUiManager;
class VtMainWindowUi;

// The UI hub. After start-up it holds the only reference to VtApp, so the
// model lives exactly as long as the UI that drives it. UI thread only.
class VtUiManager {
public:
    // settingsUi is the main window, whose window need not exist yet; it and
    // the task list may be null where no window is wanted.
    VtUiManager(std::shared_ptr<VtApp> app, std::shared_ptr<VtMainWindowUi> settingsUi,
                std::shared_ptr<PerformsTasksInUiThreadObjList> uiTaskList, std::wstring localizationsFolder);
    ~VtUiManager();

    // Makes the main window's settings manager and hands it to the UI task
    // list, then loads the window settings and, unless start-up did
    // already, the languages; false when the languages cannot be used.
    bool initialize();
    // Loads "ui_settings.vt" once; later calls keep what is loaded.
    void loadUiSettings();
    // Builds the languages of the localizations folder and selects the one
    // the window settings name (a name no file has leaves the user's own or
    // English). False when the folder holds no usable English file: the
    // installation is damaged.
    bool createLocalization();

    std::shared_ptr<VtApp> app() const { return application; }
    std::shared_ptr<PerformsTasksInUiThreadObjList> uiTasks() const { return uiTaskList; }
    const std::wstring& localizations() const { return localizationsFolder; }
    std::shared_ptr<VtUiLocalizationManager> localizationManager() const { return languages; }
    std::shared_ptr<VtUiSettings> settings() const { return uiSettings; }
    // The language the texts come from; null without language files.
    const UiLocalization* language() const;
    // Text number index of that language; empty without language files.
    std::wstring text(int index) const;
    // The main window's facets; null where there is no window.
    std::shared_ptr<VtMainWindowUi> mainWindowUi() const { return settingsUi; }
    // Null until initialize(), and where there is no window or no model.
    std::shared_ptr<VtBaseSettingsUiManager> baseSettingsUiManager() const { return settingsManager; }

private:
    std::shared_ptr<VtApp> application;
    std::shared_ptr<VtMainWindowUi> settingsUi;
    // Released before the model it works on.
    std::shared_ptr<VtBaseSettingsUiManager> settingsManager;
    std::shared_ptr<PerformsTasksInUiThreadObjList> uiTaskList;
    std::wstring localizationsFolder;
    std::shared_ptr<VtUiLocalizationManager> languages;
    std::shared_ptr<VtUiSettings> uiSettings;
};
