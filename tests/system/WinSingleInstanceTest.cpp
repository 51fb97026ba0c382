// The single-instance guard and the window operations that bring the main
// window back, over real mutexes and windows.
#include "system/kelIsWinAppRunningAlready.h"
#include "system/kelWinWindowActivation.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>

namespace {

std::wstring testGuardName()
{
    static std::atomic<int> made{0};
    return L"Vantrel-test-guard-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++made);
}

// A plain top-level window of this thread that owns nothing else.
class TestWindow {
public:
    TestWindow(int x, int y, DWORD showCommand = SW_SHOW)
    {
        static const ATOM windowClass = [] {
            WNDCLASSW description{};
            description.lpfnWndProc = DefWindowProcW;
            description.hInstance = GetModuleHandleW(nullptr);
            description.lpszClassName = L"VantrelActivationTestWindow";
            return RegisterClassW(&description);
        }();
        window = CreateWindowExW(0, MAKEINTATOM(windowClass), L"activation test", WS_OVERLAPPEDWINDOW, x, y, 300, 200,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(window, showCommand);
    }
    ~TestWindow() { DestroyWindow(window); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND get() const { return window; }
    RECT rect() const
    {
        RECT where{};
        GetWindowRect(window, &where);
        return where;
    }

private:
    HWND window = nullptr;
};

bool samePlace(const RECT& left, const RECT& right)
{
    return left.left == right.left && left.top == right.top && left.right == right.right &&
           left.bottom == right.bottom;
}

} // namespace

TEST(WinSingleInstance, TheFirstTakesTheGuardAndASecondIsRefusedWithoutDisturbingIt)
{
    const std::wstring name = testGuardName();
    kelIsWinAppRunningAlready first(name);
    EXPECT_FALSE(first.isRunning());
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.isAcquired());

    kelIsWinAppRunningAlready second(name);
    EXPECT_TRUE(second.isRunning());
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_FALSE(second.isAcquired()) << "the second start closes its handle at once";
    EXPECT_TRUE(first.isAcquired());
    EXPECT_TRUE(second.isRunning()) << "the refusal left the first one's guard in place";

    first.release();
    EXPECT_FALSE(first.isAcquired());
    EXPECT_FALSE(second.isRunning()) << "the guard goes with its last handle";
    EXPECT_TRUE(second.tryAcquire());
}

TEST(WinSingleInstance, AGuardThatCannotBeMadeCountsAsTaken)
{
    // A name with a backslash names a namespace that does not exist, so the mutex cannot be made.
    kelIsWinAppRunningAlready broken(L"NoSuchNamespace\\Vantrel-test");
    EXPECT_TRUE(broken.tryAcquire());
    EXPECT_FALSE(broken.isRunning());
}

TEST(WinWindowActivation, AMinimisedWindowIsRestored)
{
    TestWindow window(100, 100);
    ShowWindow(window.get(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window.get()));
    activateWindow(window.get());
    EXPECT_FALSE(IsIconic(window.get()));
    EXPECT_TRUE(IsWindowVisible(window.get()));
}

TEST(WinWindowActivation, AHiddenWindowComesBackWhereItWas)
{
    TestWindow window(140, 120);
    const RECT before = window.rect();
    ShowWindow(window.get(), SW_HIDE);
    ASSERT_FALSE(IsWindowVisible(window.get()));
    EXPECT_TRUE(activateWindow(window.get()));
    EXPECT_TRUE(IsWindowVisible(window.get()));
    EXPECT_TRUE(samePlace(window.rect(), before));
    EXPECT_EQ(GetForegroundWindow(), window.get());
}

TEST(WinWindowActivation, AVisibleWindowIsOnlyBroughtToTheFront)
{
    TestWindow window(100, 100);
    TestWindow other(600, 400);
    SetForegroundWindow(other.get());
    const RECT before = window.rect();
    EXPECT_TRUE(activateWindow(window.get()));
    EXPECT_EQ(GetForegroundWindow(), window.get());
    EXPECT_TRUE(samePlace(window.rect(), before));
}

TEST(WinWindowActivation, ToggleHidesAWindowNothingCoversAndShowsItAgain)
{
    TestWindow window(100, 100);
    SetForegroundWindow(window.get());
    toggleWindow(window.get());
    EXPECT_FALSE(IsWindowVisible(window.get()));
    toggleWindow(window.get());
    EXPECT_TRUE(IsWindowVisible(window.get()));
}

TEST(WinWindowActivation, ToggleRaisesAPartlyCoveredWindowInsteadOfHidingIt)
{
    TestWindow window(100, 100);
    TestWindow covering(300, 200);
    SetWindowPos(covering.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(covering.get());
    toggleWindow(window.get());
    EXPECT_TRUE(IsWindowVisible(window.get()));
    EXPECT_EQ(GetForegroundWindow(), window.get());

    TestWindow apart(700, 500);
    SetWindowPos(apart.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(window.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    toggleWindow(window.get());
    EXPECT_FALSE(IsWindowVisible(window.get())) << "a window above that does not overlap is no cover";
}
