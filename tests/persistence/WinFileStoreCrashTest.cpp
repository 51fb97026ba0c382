#include "persistence/FileStoreCrashSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include <windows.h>

namespace {

const wchar_t* const childCase = L"WinFileStoreCrashChild.SavesUntilKilled";

std::wstring ownPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

struct ChildProcess {
    PROCESS_INFORMATION info{};
    ~ChildProcess()
    {
        if (info.hThread)
            CloseHandle(info.hThread);
        if (info.hProcess)
            CloseHandle(info.hProcess);
    }
};

} // namespace

// The writer half of the test below: this executable started again by it.
TEST(WinFileStoreCrashChild, SavesUntilKilled)
{
    const wchar_t* folder = _wgetenv(L"VANTREL_STORE_CRASH_FILE");
    if (!folder)
        GTEST_SKIP() << "runs only as the child of the crash test";
    runCrashWriter(folder, L"crash.vt");
}

TEST(WinFileStoreCrashTest, KilledWriterLeavesOneCompleteContent)
{
    constexpr int kills = 50;
    StoreScratchFolder folder;
    ASSERT_TRUE(prepareCrashFile(folder.path(), L"crash.vt"));
    ASSERT_TRUE(SetEnvironmentVariableW(L"VANTREL_STORE_CRASH_FILE", folder.path().wstring().c_str()));
    std::wstring commandLine = L"\"" + ownPath() + L"\" --gtest_filter=" + childCase;
    std::mt19937 random(12345);
    std::uniform_int_distribution<DWORD> delayMilliseconds(0, 150);
    CrashTally tally;
    for (int kill = 0; kill < kills; ++kill) {
        STARTUPINFOW startup{sizeof startup};
        ChildProcess child;
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &child.info));
        const bool started = waitForCrashWriter(folder.path());
        Sleep(delayMilliseconds(random));
        TerminateProcess(child.info.hProcess, 9);
        ASSERT_EQ(WaitForSingleObject(child.info.hProcess, 30000), WAIT_OBJECT_0);
        ASSERT_TRUE(started);
        tally.record(loadNote(folder.path(), L"crash.vt"));
    }
    SetEnvironmentVariableW(L"VANTREL_STORE_CRASH_FILE", nullptr);
    EXPECT_EQ(tally.torn, 0);
    // Otherwise no writer ever got as far as replacing the file and nothing was tried.
    EXPECT_GT(tally.rewritten(), 0);
    std::printf("kills survived: %d of %d (initial content %d, first %d, second %d)\n", kills - tally.torn, kills,
                tally.seen[initialCrashContent], tally.seen[0], tally.seen[1]);
}
