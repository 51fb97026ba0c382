// The running-application inspection and the foreground tracker over the
// real platform, with the test program started as a second process.
#include "automation/CopiedTestProgram.h"
#include "automation/ForegroundEventLog.h"
#include "automation/ProgramPathText.h"
#include "automation/WinProcessApi.h"
#include "automation/WinRunningAppsEnumerator.h"
#include "automation/WinRunningForegroundAppTracker.h"
#include "automation/WinTestApplication.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The quoted program path followed by arguments with blanks, quotes and
// letters beyond ASCII, length characters in all.
std::wstring commandLineOf(const std::wstring& program, std::size_t length)
{
    std::wstring text = L"\"" + program + L"\" --note=\"a \\\"quoted\\\" word\" \u00FC\u20AC ";
    while (text.size() < length)
        text += L"\u00E4 x";
    return text.substr(0, length);
}

TEST(WinRunningAppsLive, TheProgramInFrontIsReadWithItsPathAndLongCommandLineExactly)
{
    const CopiedTestProgram copy;
    ASSERT_TRUE(copy.copied);
    // The longest command line that is read: 259 characters.
    const std::wstring commandLine = commandLineOf(copy.program, 259);
    WinRunningForegroundAppTracker tracker;
    ForegroundEventLog log(tracker);

    const WinTestApplication testApp(copy.program, commandLine);
    ASSERT_TRUE(testApp.started());
    const auto app = log.waitForProcess(testApp.processId());

    ASSERT_TRUE(app) << "the test program never came to the front";
    EXPECT_EQ(app->programPath(), copy.program);
    EXPECT_EQ(app->commandLine(), commandLine);
    EXPECT_EQ(app->displayName(), L"Vantrel test window (vantrel_testapp.exe)");
    const auto windows = app->windows();
    EXPECT_NE(std::find(windows.begin(), windows.end(), testApp.firstWindow()), windows.end());
}

TEST(WinRunningAppsLive, ACommandLineTooLongToReadLeavesTheQuotedProgramPath)
{
    const CopiedTestProgram copy;
    ASSERT_TRUE(copy.copied);
    WinRunningForegroundAppTracker tracker;
    ForegroundEventLog log(tracker);

    const WinTestApplication testApp(copy.program, commandLineOf(copy.program, 600));
    ASSERT_TRUE(testApp.started());
    const auto app = log.waitForProcess(testApp.processId());

    ASSERT_TRUE(app);
    EXPECT_EQ(app->programPath(), copy.program);
    EXPECT_EQ(app->commandLine(), L"\"" + copy.program + L"\"");
}

TEST(WinRunningAppsLive, EveryWindowOfOneProgramBroughtToTheFrontIsReportedWithThatProgram)
{
    WinRunningForegroundAppTracker tracker;
    ForegroundEventLog log(tracker);
    const WinTestApplication testApp(WinTestApplication::builtProgram(), L"vantrel_testapp");
    ASSERT_TRUE(testApp.started());
    ASSERT_TRUE(log.waitForProcess(testApp.processId()));

    WinTestApplication::bringToFront(testApp.secondWindow());
    const auto second = log.waitForProcess(testApp.processId(), 1);
    const HWND inFrontAfterSecond = GetForegroundWindow();
    WinTestApplication::bringToFront(testApp.firstWindow());
    const auto third = log.waitForProcess(testApp.processId(), 2);

    ASSERT_TRUE(second);
    ASSERT_TRUE(third);
    EXPECT_EQ(inFrontAfterSecond, testApp.secondWindow());
    EXPECT_EQ(GetForegroundWindow(), testApp.firstWindow());
    // The shown name comes from the program's first titled window in z-order,
    // not from the window in front, so either title may name it.
    for (const auto& app : {second, third}) {
        const auto windows = app->windows();
        EXPECT_NE(std::find(windows.begin(), windows.end(), testApp.firstWindow()), windows.end());
        EXPECT_NE(std::find(windows.begin(), windows.end(), testApp.secondWindow()), windows.end());
        EXPECT_TRUE(ProgramPathText::samePath(app->programPath(), WinTestApplication::builtProgram()));
        EXPECT_EQ(app->commandLine(), L"vantrel_testapp") << "a command line is whatever its starter wrote";
        EXPECT_TRUE(app->displayName() == L"Vantrel test window (vantrel_testapp.exe)" ||
                    app->displayName() == L"Vantrel test window 2 (vantrel_testapp.exe)")
            << app->displayName();
    }
}

// A window of this very program comes to the front while the thread that
// made it waits for the tracker without handling messages: describing the
// window must not need that thread, or the program would hang whenever its
// UI thread waits for the tracker (as it does when it stops it).
TEST(WinRunningAppsLive, AWindowOfThisProgramIsDescribedWhileItsThreadWaits)
{
    WinRunningForegroundAppTracker tracker;
    ForegroundEventLog log(tracker);
    const HWND window = CreateWindowExW(0, L"STATIC", L"Vantrel own window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60,
                                        300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window);
    SetForegroundWindow(window);

    const auto app = log.waitForProcess(GetCurrentProcessId());

    // Whatever happened, let a tracker stuck on this thread go before it is stopped.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    DestroyWindow(window);
    ASSERT_TRUE(app) << "the tracker never described this program's window";
    EXPECT_EQ(app->displayName(), L"Vantrel own window (vantrel_tests.exe)");
}

TEST(WinRunningAppsLive, TwoInstancesOfOneProgramAreListedWithTheirOwnProcesses)
{
    const WinTestApplication first(WinTestApplication::builtProgram(), L"vantrel_testapp one");
    const WinTestApplication second(WinTestApplication::builtProgram(), L"vantrel_testapp two");
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(second.started());
    std::vector<ProcessSnapshotEntry> snapshot;
    ASSERT_TRUE(WinProcessApi().snapshot(snapshot));
    ASSERT_FALSE(snapshot.empty());

    std::vector<DWORD> found;
    bool windowlessListed = false;
    for (const auto& app : WinRunningAppsEnumerator().enumerate()) {
        // Under Wine the snapshot's first entry is a real process, often this one.
        EXPECT_NE(app->processId(), snapshot.front().processId) << "the snapshot's first entry is never listed";
        if (app->processId() == first.processId() || app->processId() == second.processId()) {
            found.push_back(app->processId());
            EXPECT_TRUE(ProgramPathText::samePath(app->programPath(), WinTestApplication::builtProgram()));
            EXPECT_EQ(app->commandLine(), L"\"" + app->programPath() + L"\"");
            EXPECT_GE(app->windows().size(), 3u) << "the helper and both windows";
        }
        windowlessListed = windowlessListed || app->windows().empty();
    }
    EXPECT_EQ(found.size(), 2u);
    EXPECT_TRUE(windowlessListed) << "Wine's services have no windows and are listed all the same";
}

} // namespace
