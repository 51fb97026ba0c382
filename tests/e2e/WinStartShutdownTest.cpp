#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"

#include <gtest/gtest.h>

#include <filesystem>
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

// The first instance's window is hidden, as closing it leaves it; a second
// start by the user shows it again and ends, one with "-autorun" ends without
// a word (a message box would keep it running) and leaves it hidden.
TEST_F(WinStartShutdown, ASecondStartBringsBackTheFirstInstancesWindowUnlessStartedWithWindows)
{
    WinProgramUnderTest first;
    ASSERT_TRUE(first.started());
    HWND window = first.waitForMainWindow(startTimeoutMs);
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindowVisible(window));

    DWORD secondExit = 0;
    {
        WinProgramUnderTest autorunStart(L"-autorun");
        ASSERT_TRUE(autorunStart.started());
        EXPECT_TRUE(autorunStart.waitForExit(exitTimeoutMs, secondExit)) << "the autorun start did not end";
        EXPECT_NE(secondExit, 0u);
        EXPECT_FALSE(IsWindowVisible(window)) << "an autorun start touched the running instance";
    }
    {
        WinProgramUnderTest userStart;
        ASSERT_TRUE(userStart.started());
        EXPECT_TRUE(userStart.waitForExit(exitTimeoutMs, secondExit)) << "the second start did not end";
        EXPECT_NE(secondExit, 0u);
        EXPECT_TRUE(IsWindowVisible(window)) << "the running instance's window stayed hidden";
    }

    PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0);
    DWORD exitCode = 0xFFFFFFFF;
    ASSERT_TRUE(first.waitForExit(exitTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// Installed without its language files the program cannot speak to the user
// but in the one sentence it carries itself; it says it and ends.
TEST_F(WinStartShutdown, WithoutItsLanguageFilesTheProgramAsksToBeReinstalled)
{
    const std::filesystem::path testFolder(WinProgramUnderTest::testFolder());
    // Wine gives its processes small ids again from run to run, so the id
    // alone could name a folder that an earlier run failed to remove.
    const std::filesystem::path bare =
        testFolder / ("no-languages-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()));
    std::error_code error;
    std::filesystem::create_directories(bare, error);
    ASSERT_FALSE(error) << "cannot make " << bare.string() << ": " << error.message();
    std::filesystem::copy_file(testFolder / "Vantrel.exe", bare / "Vantrel.exe", error);
    ASSERT_FALSE(error) << "cannot copy the program to " << bare.string() << ": " << error.message();
    {
        WinProgramUnderTest program(L"", bare.filename().wstring() + L"\\Vantrel.exe");
        ASSERT_TRUE(program.started());
        HWND box = program.waitForReadyWindow(L"Vantrel", startTimeoutMs);
        ASSERT_NE(box, nullptr) << "no message appeared";
        wchar_t text[128] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 128);
        EXPECT_STREQ(text, L"Damaged installation, please reinstall");
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        DWORD exitCode = 0;
        EXPECT_TRUE(program.waitForExit(exitTimeoutMs, exitCode)) << "the program kept running";
        EXPECT_NE(exitCode, 0u);
    }
    std::filesystem::remove_all(bare, error);
}
