#include "ui/TrayIconManagerWindow.h"
#include "ui/wingui/Application.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class RecordingTrayArea : public TrayIconPlatform {
public:
    bool add(const TrayIconData& data) override { return record(L"add", data); }
    bool modifyIcon(const TrayIconData& data) override { return record(L"modify", data); }
    bool remove(const TrayIconData& data) override { return record(L"remove", data); }

    std::vector<std::wstring> calls;
    TrayIconData last;

private:
    bool record(const wchar_t* call, const TrayIconData& data)
    {
        calls.push_back(call);
        last = data;
        return true;
    }
};

// An area that refuses the next adds (every one for -1), as a taskbar that is
// not ready yet at logon does.
class RefusingTrayArea : public TrayIconPlatform {
public:
    explicit RefusingTrayArea(int refusals) : refusals(refusals) {}

    bool add(const TrayIconData&) override
    {
        ++adds;
        if (refusals == 0)
            return true;
        if (refusals > 0)
            --refusals;
        return false;
    }
    bool modifyIcon(const TrayIconData&) override { return false; }
    bool remove(const TrayIconData&) override { return true; }

    int refusals;
    int adds = 0;
};

// Runs this thread's messages (the retry timers among them) until done
// holds, or for at most the time given.
bool pumpUntil(const std::function<bool()>& done, DWORD limitMs)
{
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    // Wakes the loop now and then, so the deadline is seen when nothing else comes.
    const UINT_PTR waker = SetTimer(nullptr, 0, 50, nullptr);
    wingui::Application::runUntil([&] { return done() || GetTickCount64() > deadline; });
    KillTimer(nullptr, waker);
    return done();
}

class CountingTrayWindow : public TrayIconManagerWindow {
public:
    using TrayIconManagerWindow::TrayIconManagerWindow;
    int leftClicks = 0;
    int rightClicks = 0;

protected:
    void onLeftButtonDown() override { ++leftClicks; }
    void onRightButtonDown() override { ++rightClicks; }
};

} // namespace

TEST(TrayIconManagerWindow, OwnsTheIconFollowsTheTaskbarAndPassesOnButtonDowns)
{
    const auto area = std::make_shared<RecordingTrayArea>();
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    {
        CountingTrayWindow tray(area);
        ASSERT_TRUE(tray.create());
        EXPECT_FALSE(IsWindowVisible(tray.hwnd()));
        ASSERT_TRUE(tray.addIcon(icon, L"Vantrel"));
        EXPECT_EQ(area->last.owner, reinterpret_cast<std::uintptr_t>(tray.hwnd()));
        EXPECT_EQ(area->last.callbackMessage, static_cast<unsigned>(WM_APP));
        EXPECT_EQ(area->last.id, 1);

        SendMessageW(tray.hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_EQ(area->calls.back(), L"modify");
        EXPECT_EQ(area->last.icon, icon);

        for (const UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_RBUTTONDOWN})
            SendMessageW(tray.hwnd(), WM_APP, 1, mouse);
        EXPECT_EQ(tray.leftClicks, 1);
        EXPECT_EQ(tray.rightClicks, 1);
    }
    EXPECT_EQ(area->calls, (std::vector<std::wstring>{L"add", L"modify", L"remove"}));
}

TEST(TrayIconManagerWindow, WithoutItsWindowNoIconIsAdded)
{
    const auto area = std::make_shared<RecordingTrayArea>();
    CountingTrayWindow tray(area);
    EXPECT_FALSE(tray.addIcon(LoadIconW(nullptr, IDI_APPLICATION), L"Vantrel"));
    EXPECT_TRUE(area->calls.empty());
}

TEST(TrayIconManagerWindow, ARefusedIconIsAddedByALaterRetry)
{
    const auto area = std::make_shared<RefusingTrayArea>(2);
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    CountingTrayWindow tray(area);
    tray.retryDelaysMs = {10, 10, 10, 10};
    int refusedCalls = 0;
    tray.onIconRefused = [&] { ++refusedCalls; };
    ASSERT_TRUE(tray.create());

    EXPECT_FALSE(tray.addIcon(icon, L"Vantrel"));
    EXPECT_EQ(tray.shownIcon(), nullptr);

    EXPECT_TRUE(pumpUntil([&] { return tray.shownIcon() != nullptr; }, 10000));
    EXPECT_EQ(tray.shownIcon(), icon);
    EXPECT_EQ(area->adds, 3);
    EXPECT_EQ(refusedCalls, 0);
}

TEST(TrayIconManagerWindow, WhenEveryRetryIsRefusedTheOwnerIsToldOnce)
{
    const auto area = std::make_shared<RefusingTrayArea>(-1);
    CountingTrayWindow tray(area);
    tray.retryDelaysMs = {10, 10};
    int refusedCalls = 0;
    tray.onIconRefused = [&] { ++refusedCalls; };
    ASSERT_TRUE(tray.create());

    EXPECT_FALSE(tray.addIcon(LoadIconW(nullptr, IDI_APPLICATION), L"Vantrel"));

    EXPECT_TRUE(pumpUntil([&] { return refusedCalls > 0; }, 10000));
    // Nothing more comes: no timer is left.
    pumpUntil([] { return false; }, 200);
    EXPECT_EQ(refusedCalls, 1);
    EXPECT_EQ(area->adds, 3);
    EXPECT_EQ(tray.shownIcon(), nullptr);
}

TEST(TrayIconManagerWindow, ANewTaskbarTakesAnIconTheOldOneRefused)
{
    const auto area = std::make_shared<RefusingTrayArea>(1);
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    CountingTrayWindow tray(area);
    tray.retryDelaysMs = {60000};
    ASSERT_TRUE(tray.create());
    EXPECT_FALSE(tray.addIcon(icon, L"Vantrel"));

    SendMessageW(tray.hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);

    EXPECT_EQ(tray.shownIcon(), icon);
    EXPECT_EQ(area->adds, 2);
}
