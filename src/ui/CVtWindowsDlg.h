#pragma once

#include "ui/wingui/Dialog.h"
#include "ui/wingui/Icon.h"

#include <memory>

class PerformsTasksInUiThreadObjList;

// The main window. Closing it only hides it: the program lives on in the
// tray until the exit command arrives.
class CVtWindowsDlg : public wingui::Dialog {
public:
    explicit CVtWindowsDlg(std::weak_ptr<PerformsTasksInUiThreadObjList> uiTaskList);

    bool create();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int notifyCode, HWND control) override;
    bool onTimer(UINT_PTR timerId) override;
    void onOk() override;
    void onCancel() override;
    void onDestroy() override;

private:
    void setIcons();

    std::weak_ptr<PerformsTasksInUiThreadObjList> uiTaskList;
    wingui::Icon smallIcon;
    wingui::Icon bigIcon;
};
