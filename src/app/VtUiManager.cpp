#include "app/VtUiManager.h"

VtUiManager::VtUiManager(std::shared_ptr<VtApp> app, std::shared_ptr<PerformsTasksInUiThreadObjList> uiTaskList,
                         std::wstring localizationsFolder)
    : application(std::move(app)), uiTaskList(std::move(uiTaskList)),
      localizationsFolder(std::move(localizationsFolder))
{
}

bool VtUiManager::initialize()
{
    return true;
}
