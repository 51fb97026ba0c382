#pragma once

#include "ui/wingui/Application.h"
#include "ui/wingui/Dialog.h"
#include "ui/wingui/PropertySheetDialog.h"
#include "ui/wingui/WinguiTestResources.h"

#include <functional>
#include <vector>

namespace wingui_test {

// Runs the thread's messages through the layer's loop (with the keyboard
// navigation and the application's filters) until none is left.
inline void pumpPending()
{
    wingui::Application::runUntil([] { return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0; });
}

// A key press as the system posts it to the window with the focus.
inline void postKey(HWND target, UINT virtualKey)
{
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(target, WM_KEYUP, virtualKey, 0xC0000001);
}

// Alt with a letter, as it reaches the window with the focus.
inline void postAltLetter(HWND target, wchar_t letter)
{
    PostMessageW(target, WM_SYSCHAR, letter, 0x20000001);
}

// A plain visible popup window of the given size, to own or hold dialogs.
class PlainWindow {
public:
    PlainWindow(int width, int height)
        : window(CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~PlainWindow() { DestroyWindow(window); }
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;
    HWND window;
};

// The layer's test form (one control of each kind), recording what reaches
// its handlers.
class TestForm : public wingui::Dialog {
public:
    TestForm() : wingui::Dialog(IDD_TEST_FORM) {}

    std::function<void()> onInit;
    std::function<void()> onOkPressed;
    int initCalls = 0;
    int okCalls = 0;
    int cancelCalls = 0;
    int closeCalls = 0;
    std::vector<int> commands;
    std::vector<UINT> appMessages;

    HWND control(int id) const { return item(id); }

protected:
    bool onInitDialog() override
    {
        ++initCalls;
        if (onInit)
            onInit();
        return true;
    }
    bool onCommand(int id, int notifyCode, HWND control) override
    {
        commands.push_back(id);
        return wingui::Dialog::onCommand(id, notifyCode, control);
    }
    void onOk() override
    {
        ++okCalls;
        if (onOkPressed)
            onOkPressed();
        wingui::Dialog::onOk();
    }
    void onCancel() override
    {
        ++cancelCalls;
        wingui::Dialog::onCancel();
    }
    void onClose() override
    {
        ++closeCalls;
        wingui::Dialog::onClose();
    }
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message < WM_APP)
            return false;
        appMessages.push_back(message);
        result = 0;
        return true;
    }
};

} // namespace wingui_test
