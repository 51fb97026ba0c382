#include "ui/CVtWindowsDlg.h"

#include "app/resource.h"
#include "support/PerformsTasksInUiThread.h"

namespace {
constexpr UINT_PTR uiTasksTimerId = 1;
constexpr UINT uiTasksPeriodMs = 50;
} // namespace

CVtWindowsDlg::CVtWindowsDlg(std::weak_ptr<PerformsTasksInUiThreadObjList> uiTaskList)
    : uiTaskList(std::move(uiTaskList))
{
}

bool CVtWindowsDlg::create(HINSTANCE instance)
{
    return createModeless(instance, IDD_VANTREL_DIALOG, nullptr);
}

bool CVtWindowsDlg::onInitDialog()
{
    SetWindowTextW(hwnd(), L"Vantrel");
    SetTimer(hwnd(), uiTasksTimerId, uiTasksPeriodMs, nullptr);
    return true;
}

void CVtWindowsDlg::onCommand(WORD id, WORD notifyCode, HWND control)
{
    switch (id) {
    case ID_APP_EXIT:
        destroy();
        break;
    case IDOK:
    case IDCANCEL:
        ShowWindow(hwnd(), SW_HIDE);
        break;
    default:
        break;
    }
}

void CVtWindowsDlg::onTimer(UINT_PTR timerId)
{
    if (timerId != uiTasksTimerId)
        return;
    if (auto tasks = uiTaskList.lock())
        tasks->performTasks();
}

void CVtWindowsDlg::onClose()
{
    ShowWindow(hwnd(), SW_HIDE);
}

void CVtWindowsDlg::onDestroy()
{
    KillTimer(hwnd(), uiTasksTimerId);
    PostQuitMessage(0);
}
