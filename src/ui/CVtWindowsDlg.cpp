#include "ui/CVtWindowsDlg.h"

#include "app/resource.h"
#include "support/PerformsTasksInUiThread.h"
#include "ui/wingui/Dpi.h"

namespace {
constexpr UINT_PTR uiTasksTimerId = 1;
constexpr UINT uiTasksPeriodMs = 50;
} // namespace

CVtWindowsDlg::CVtWindowsDlg(std::weak_ptr<PerformsTasksInUiThreadObjList> uiTaskList)
    : wingui::Dialog(IDD_VANTREL_DIALOG), uiTaskList(std::move(uiTaskList))
{
}

bool CVtWindowsDlg::create()
{
    return createModeless(nullptr);
}

bool CVtWindowsDlg::onInitDialog()
{
    SetWindowTextW(hwnd(), L"Vantrel");
    setIcons();
    SetTimer(hwnd(), uiTasksTimerId, uiTasksPeriodMs, nullptr);
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

bool CVtWindowsDlg::onCommand(int id, int notifyCode, HWND control)
{
    if (id == ID_APP_EXIT) {
        destroy();
        return true;
    }
    return wingui::Dialog::onCommand(id, notifyCode, control);
}

bool CVtWindowsDlg::onTimer(UINT_PTR timerId)
{
    if (timerId != uiTasksTimerId)
        return false;
    if (auto tasks = uiTaskList.lock())
        tasks->performTasks();
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
    PostQuitMessage(0);
}
