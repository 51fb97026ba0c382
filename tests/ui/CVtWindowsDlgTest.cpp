#include "localization/ShippedLocalizations.h"
#include "localization/VtUiLocalizationManager.h"
#include "support/PerformsTasksInUiThread.h"
#include "ui/CVtWindowsDlg.h"
#include "ui/VtUiManager.h"
#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr WORD exitCommand = 32774;

class CountingUiWork : public PerformsTasksInUiThread {
public:
    void performTasks() override { ++calls; }
    int calls = 0;
};

// Pumps the thread's messages until WM_QUIT arrives or the time is up;
// returns whether WM_QUIT arrived.
bool pumpUntilQuit(DWORD timeoutMs, const std::function<bool()>& stopEarly = {})
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    MSG message;
    while (GetTickCount64() < deadline) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return true;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (stopEarly && stopEarly())
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

class CVtWindowsDlgTest : public ::testing::Test {
protected:
    std::shared_ptr<PerformsTasksInUiThreadObjList> uiTasks = std::make_shared<PerformsTasksInUiThreadObjList>();
    std::shared_ptr<CountingUiWork> work = std::make_shared<CountingUiWork>();
    CVtWindowsDlg dialog{nullptr, uiTasks, nullptr, L""};

    void SetUp() override
    {
        uiTasks->add(work);
        ASSERT_TRUE(dialog.create());
    }
};

} // namespace

TEST_F(CVtWindowsDlgTest, TitledVantrelAndHiddenUntilShown)
{
    wchar_t title[32] = {};
    GetWindowTextW(dialog.hwnd(), title, 32);
    EXPECT_STREQ(title, L"Vantrel");
    EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
}

TEST_F(CVtWindowsDlgTest, TimerDrainsTheUiTaskList)
{
    pumpUntilQuit(5000, [&] { return work->calls >= 3; });
    EXPECT_GE(work->calls, 3);
}

TEST_F(CVtWindowsDlgTest, TimerDoesNothingOnceTheTaskListIsGone)
{
    uiTasks.reset();
    pumpUntilQuit(300);
    EXPECT_EQ(work->calls, 0);
}

TEST_F(CVtWindowsDlgTest, ExitCommandDestroysTheWindowAndEndsTheLoop)
{
    HWND window = dialog.hwnd();
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0);
    EXPECT_TRUE(pumpUntilQuit(5000));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST_F(CVtWindowsDlgTest, CloseAndEscapeOnlyHide)
{
    ShowWindow(dialog.hwnd(), SW_SHOW);
    SendMessageW(dialog.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
    ShowWindow(dialog.hwnd(), SW_SHOW);
    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
    EXPECT_TRUE(IsWindow(dialog.hwnd()));
}

namespace {

// The window over the shipped language files, in English, without a model.
class CVtWindowsDlgInEnglish : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ui->createLocalization());
        ui->localizationManager()->selectByName(L"English");
        dialog.setUiManager(ui);
        ASSERT_TRUE(dialog.create());
    }

    std::wstring caption(int id) const
    {
        wchar_t text[64] = {};
        GetDlgItemTextW(dialog.hwnd(), id, text, 64);
        return text;
    }

    HWND control(int id) const { return GetDlgItem(dialog.hwnd(), id); }

    const std::shared_ptr<VtUiManager> ui =
        std::make_shared<VtUiManager>(nullptr, nullptr, nullptr, shippedLocalizationsFolder());
    CVtWindowsDlg dialog{nullptr, std::weak_ptr<PerformsTasksInUiThreadObjList>(), nullptr, L""};
};

} // namespace

// The captions come from the language files, keep their access keys where
// the language has the letter, and follow a change of language.
TEST_F(CVtWindowsDlgInEnglish, CaptionsFollowTheChosenLanguage)
{
    EXPECT_EQ(caption(1018), L"&Brightness:");
    EXPECT_EQ(caption(1022), L"B&lue:");

    ASSERT_TRUE(ui->localizationManager()->selectByName(L"German"));

    EXPECT_EQ(caption(1018), L"Helligkeit:");
    EXPECT_EQ(caption(1022), L"B&lau:");
    EXPECT_EQ(caption(1016), L"&Profil:");
}

namespace {

HWND focusAfterKey(UINT key)
{
    wingui_test::postKey(GetFocus(), key);
    wingui_test::pumpPending();
    return GetFocus();
}

HWND focusAfterAltLetter(wchar_t letter)
{
    wingui_test::postAltLetter(GetFocus(), letter);
    wingui_test::pumpPending();
    return GetFocus();
}

} // namespace

// Without a mouse: Tab walks the window in its layout's order, the captions'
// access keys reach their controls, and Escape puts the window away.
TEST_F(CVtWindowsDlgInEnglish, TabAccessKeysAndEscapeWork)
{
    ShowWindow(dialog.hwnd(), SW_SHOW);
    SetForegroundWindow(dialog.hwnd());
    SetFocus(control(1000));

    const int tabOrder[] = {1154, 1001, 1005, 1007, 1008, 1009, 1010, 1155, 1000};
    for (const int id : tabOrder)
        EXPECT_EQ(focusAfterKey(VK_TAB), control(id)) << "Tab did not reach control " << id;

    EXPECT_EQ(focusAfterAltLetter(L'l'), control(1010));
    EXPECT_EQ(focusAfterAltLetter(L'm'), control(1001));
    EXPECT_EQ(focusAfterAltLetter(L'b'), control(1005));

    wingui_test::postKey(GetFocus(), VK_ESCAPE);
    wingui_test::pumpPending();
    EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
}
