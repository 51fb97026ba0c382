#include "automation/WinRunningAppsEnumerator.h"

#include "automation/FakeProcessApi.h"
#include "automation/FakeWindowApi.h"
#include "automation/ForegroundEventLog.h"
#include "automation/WinRunningAppInfo.h"
#include "automation/WinRunningForegroundAppInfo.h"
#include "automation/WinRunningForegroundAppTracker.h"
#include "automation/WinWindowByProcessEnumerator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

FakeProcess programAt(const std::wstring& path, const std::wstring& commandLine = L"")
{
    FakeProcess process;
    process.programPath = path;
    process.memory = FakeCommandLineLayout::of(commandLine);
    return process;
}

// An editor with a hidden helper window and a visible main window, a process
// that cannot be opened, a windowless service and two instances of a game.
class WinRunningAppsTest : public ::testing::Test {
protected:
    WinRunningAppsTest()
    {
        processes->add(0, programAt(L"C:\\idle.exe"), L"[System Process]");
        processes->add(10, programAt(L"C:\\Program Files\\Editor\\editor.exe", L"editor.exe \"C:\\a b.txt\""));
        FakeProcess guarded = programAt(L"C:\\Windows\\System32\\guarded.exe");
        guarded.openable = false;
        processes->add(11, guarded);
        processes->add(12, programAt(L"C:\\Windows\\System32\\service.exe"));
        processes->add(13, programAt(L"C:\\Games\\game.exe"));
        processes->add(14, programAt(L"C:\\Games\\game.exe"));

        editorHelper = windows->add({10, L"Editor helper", false});
        guardedWindow = windows->add({11, L"Guarded", true});
        editorMain = windows->add({10, L"a b.txt - Editor", true});
        gameWindow = windows->add({14, L"Game", true});
        desktop = windows->add({0, L"", true});

        platform->processes = processes;
        platform->windows = windows;
        platform->topLevelWindows = windows;
    }

    const std::shared_ptr<FakeProcessApi> processes = std::make_shared<FakeProcessApi>();
    const std::shared_ptr<FakeWindowApi> windows = std::make_shared<FakeWindowApi>();
    const std::shared_ptr<WinRunningAppsPlatform> platform = std::make_shared<WinRunningAppsPlatform>();
    WindowHandle editorHelper{}, guardedWindow{}, editorMain{}, gameWindow{}, desktop{};
};

TEST_F(WinRunningAppsTest, WindowsAreListedUnderTheirProcessInEnumerationOrder)
{
    const WindowsByProcess byProcess = WinWindowByProcessEnumerator(platform).enumerate();
    const auto [first, last] = byProcess.equal_range(10);
    std::vector<WindowHandle> editorWindows;
    for (auto window = first; window != last; ++window)
        editorWindows.push_back(window->second);
    EXPECT_EQ(editorWindows, (std::vector<WindowHandle>{editorHelper, editorMain}));
    EXPECT_EQ(byProcess.size(), 5u);
}

TEST_F(WinRunningAppsTest, EveryProcessWithAReadablePathIsListedOnceWithItsWindowsAndName)
{
    const auto apps = WinRunningAppsEnumerator(platform).enumerate();

    ASSERT_EQ(apps.size(), 4u) << "not the snapshot's first entry, not the process that cannot be opened";
    EXPECT_EQ(apps[0]->processId(), 10u);
    EXPECT_EQ(apps[0]->programPath(), L"C:\\Program Files\\Editor\\editor.exe");
    EXPECT_EQ(apps[0]->commandLine(), L"\"C:\\Program Files\\Editor\\editor.exe\"");
    EXPECT_EQ(apps[0]->displayName(), L"a b.txt - Editor (editor.exe)");
    EXPECT_EQ(apps[0]->windows(), (std::vector<WindowHandle>{editorHelper, editorMain}));
    EXPECT_EQ(apps[1]->processId(), 12u);
    EXPECT_EQ(apps[1]->displayName(), L"service.exe");
    EXPECT_TRUE(apps[1]->windows().empty());
    EXPECT_EQ(apps[2]->processId(), 13u);
    EXPECT_EQ(apps[2]->displayName(), L"game.exe");
    EXPECT_EQ(apps[3]->processId(), 14u);
    EXPECT_EQ(apps[3]->displayName(), L"Game (game.exe)");
}

TEST_F(WinRunningAppsTest, TheApplicationInFrontIsReadWithTheCommandLineItWasStartedWith)
{
    WinRunningForegroundAppInfo foreground(platform);
    windows->inFront = editorMain;
    EXPECT_EQ(foreground.foregroundWindow(), editorMain);

    const auto app = foreground.foregroundApp();
    ASSERT_TRUE(app);
    EXPECT_EQ(app->processId(), 10u);
    EXPECT_EQ(app->programPath(), L"C:\\Program Files\\Editor\\editor.exe");
    EXPECT_EQ(app->commandLine(), L"editor.exe \"C:\\a b.txt\"");
    EXPECT_EQ(app->displayName(), L"a b.txt - Editor (editor.exe)");
    EXPECT_EQ(app->windows(), (std::vector<WindowHandle>{editorHelper, editorMain}));
}

TEST_F(WinRunningAppsTest, NoApplicationIsInFrontWithoutAWindowOrAReadableProcess)
{
    WinRunningForegroundAppInfo foreground(platform);
    for (const WindowHandle window : {WindowHandle{}, desktop, guardedWindow}) {
        windows->inFront = window;
        EXPECT_EQ(foreground.foregroundApp(), nullptr);
    }
}

// The program's tracker over the fake platform: the window in front is
// described with the command line read from its process, also when it
// belongs to a process that cannot be opened (then with an empty current).
TEST_F(WinRunningAppsTest, TheTrackerReportsEachWindowBroughtToTheFrontWithItsApplication)
{
    windows->inFront = gameWindow;
    WinRunningForegroundAppTracker tracker(platform);
    ForegroundEventLog log(tracker);

    const std::vector<WindowHandle> steps = {editorMain, editorHelper, guardedWindow, desktop};
    for (std::size_t step = 0; step < steps.size(); ++step) {
        windows->inFront = steps[step];
        log.waitForEvents(step + 1);
    }
    const auto events = log.waitForEvents(steps.size());

    ASSERT_EQ(events.size(), steps.size()) << "the game in front at the start is not reported";
    for (std::size_t step = 0; step < 2; ++step) {
        ASSERT_TRUE(events[step].app);
        EXPECT_EQ(events[step].app->processId(), 10u);
        EXPECT_EQ(events[step].app->commandLine(), L"editor.exe \"C:\\a b.txt\"");
        EXPECT_EQ(events[step].app->displayName(), L"a b.txt - Editor (editor.exe)");
    }
    EXPECT_EQ(events[2].app, nullptr) << "a process that cannot be opened";
    EXPECT_EQ(events[3].app, nullptr) << "no process";
    EXPECT_EQ(tracker.foregroundApp(), nullptr);
}

} // namespace
