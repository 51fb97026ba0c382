#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr WORD exitCommand = 32774;
constexpr DWORD startTimeoutMs = 60000;
constexpr DWORD exitTimeoutMs = 30000;

using WinStartShutdown = ProgramWithSimulatedMonitorsTest;

} // namespace

// The exit code is 0 only when the message loop ended through the exit command
// and every worker thread had been joined by then.
TEST_F(WinStartShutdown, ExitCommandEndsTheProgramCleanly)
{
    WinProgramUnderTest program;
    ASSERT_TRUE(program.started());
    HWND window = program.waitForMainWindow(startTimeoutMs);
    DWORD earlyExit = 0;
    ASSERT_NE(window, nullptr) << "no top-level window titled Vantrel appeared; exit code "
                               << (program.waitForExit(0, earlyExit) ? std::to_string(earlyExit) : "none");

    ASSERT_TRUE(PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0));

    DWORD exitCode = 0xFFFFFFFF;
    ASSERT_TRUE(program.waitForExit(exitTimeoutMs, exitCode)) << "the program did not exit";
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(WinStartShutdown, ClosingTheMainWindowOnlyHidesIt)
{
    WinProgramUnderTest program;
    ASSERT_TRUE(program.started());
    HWND window = program.waitForMainWindow(startTimeoutMs);
    ASSERT_NE(window, nullptr);

    SendMessageW(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 0;
    EXPECT_FALSE(program.waitForExit(1000, exitCode)) << "closing the window ended the program";
    EXPECT_FALSE(IsWindowVisible(window));

    PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0);
    ASSERT_TRUE(program.waitForExit(exitTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0u);
}
