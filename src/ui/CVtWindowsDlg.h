#pragma once

#include "ui/wingui/Dialog.h"

#include <memory>

class PerformsTasksInUiThreadObjList;

// The main window. Closing it only hides it: the program lives on in the
// tray until the exit command arrives.
class CVtWindowsDlg : public wingui::Dialog {
public:
    explicit CVtWindowsDlg(std::weak_ptr<PerformsTasksInUiThreadObjList> uiTaskList);

    bool create(HINSTANCE instance);

protected:
    bool onInitDialog() override;
    void onCommand(WORD id, WORD notifyCode, HWND control) override;
    void onTimer(UINT_PTR timerId) override;
    void onClose() override;
    void onDestroy() override;

private:
    std::weak_ptr<PerformsTasksInUiThreadObjList> uiTaskList;
};
