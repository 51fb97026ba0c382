#include "ui/wingui/Button.h"
#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wingui_test;

TEST(WinguiDialog, TemplateDialogRunsItsHandlersAndItsControlsOwnCallbacks)
{
    TestForm form;
    ASSERT_TRUE(form.createModeless(nullptr));
    EXPECT_EQ(form.initCalls, 1);
    ShowWindow(form.hwnd(), SW_SHOW);

    wingui::Button push;
    ASSERT_TRUE(push.attachItem(form, IDC_TEST_PUSH));
    int clicks = 0;
    push.onClicked = [&] { ++clicks; };
    auto pushCommands = [&] { return std::count(form.commands.begin(), form.commands.end(), IDC_TEST_PUSH); };
    SendMessageW(form.control(IDC_TEST_PUSH), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(pushCommands(), 0) << "the button's own callback took the click";

    push.onClicked = nullptr;
    SendMessageW(form.control(IDC_TEST_PUSH), BM_CLICK, 0, 0);
    EXPECT_EQ(pushCommands(), 1) << "without a callback the dialog gets the command";

    SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form.closeCalls, 1);
    EXPECT_EQ(form.cancelCalls, 1);
    EXPECT_EQ(form.hwnd(), nullptr) << "a modeless dialog ends by being destroyed";
}

TEST(WinguiDialog, TabMnemonicsAndEnterWorkInAModelessDialog)
{
    TestForm form;
    ASSERT_TRUE(form.createModeless(nullptr));
    ShowWindow(form.hwnd(), SW_SHOW);
    SetFocus(form.control(IDC_TEST_EDIT));

    postKey(GetFocus(), VK_TAB);
    pumpPending();
    EXPECT_EQ(GetFocus(), form.control(IDC_TEST_CHECK));
    postKey(GetFocus(), VK_TAB);
    pumpPending();
    EXPECT_EQ(GetFocus(), form.control(IDC_TEST_COMBO));

    // "&Name:" labels the edit that follows it.
    postAltLetter(GetFocus(), L'n');
    pumpPending();
    EXPECT_EQ(GetFocus(), form.control(IDC_TEST_EDIT));

    postKey(GetFocus(), VK_RETURN);
    pumpPending();
    EXPECT_EQ(form.okCalls, 1);
}

// A modal dialog runs on the layer's own loop, which gives it the keyboard
// navigation too: Enter is OK, Escape is Cancel.
TEST(WinguiDialog, ModalDialogEndsWithEnterOrEscapeAndFreesItsOwner)
{
    const struct {
        UINT key;
        INT_PTR result;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& keyCase : cases) {
        PlainWindow owner{50, 50};
        TestForm form;
        bool ownerEnabledMeanwhile = true;
        form.onInit = [&] { postKey(form.control(IDC_TEST_EDIT), keyCase.key); };
        form.onOkPressed = [&] { ownerEnabledMeanwhile = IsWindowEnabled(owner.window) != FALSE; };
        EXPECT_EQ(form.runModal(owner.window), keyCase.result) << "key " << keyCase.key;
        EXPECT_EQ(form.hwnd(), nullptr);
        EXPECT_TRUE(IsWindowEnabled(owner.window));
        if (keyCase.key == VK_RETURN) {
            EXPECT_FALSE(ownerEnabledMeanwhile) << "the owner must be disabled while the dialog is open";
        }
    }
}

TEST(WinguiDialog, QuitWhileModalEndsTheDialogAndReachesTheOuterLoop)
{
    TestForm form;
    form.onInit = [] { PostQuitMessage(5); };
    EXPECT_EQ(form.runModal(nullptr), IDCANCEL);
    EXPECT_EQ(form.hwnd(), nullptr);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 5u);
}
