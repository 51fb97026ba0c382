#pragma once

#include <memory>
#include <string>

class VtApp;
class PerformsTasksInUiThreadObjList;

// The UI hub. After start-up it holds the only reference to VtApp, so the
// model lives exactly as long as the UI that drives it.
class VtUiManager {
public:
    VtUiManager(std::shared_ptr<VtApp> app, std::shared_ptr<PerformsTasksInUiThreadObjList> uiTaskList,
                std::wstring localizationsFolder);

    bool initialize();

    std::shared_ptr<VtApp> app() const { return application; }
    std::shared_ptr<PerformsTasksInUiThreadObjList> uiTasks() const { return uiTaskList; }
    const std::wstring& localizations() const { return localizationsFolder; }

private:
    std::shared_ptr<VtApp> application;
    std::shared_ptr<PerformsTasksInUiThreadObjList> uiTaskList;
    std::wstring localizationsFolder;
};
