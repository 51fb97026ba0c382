#include "e2e/WinProgramUnderTest.h"

#include <gtest/gtest.h>

// A crash must end the process with a failure code instead of opening the
// debugger dialog that would hang the run until its time-out.
TEST(WinCrashHandling, ACrashingProgramExitsAtOnceWithAFailureCode)
{
    WinProgramUnderTest crashing(L"crash", L"vantrel_driver.exe");
    ASSERT_TRUE(crashing.started());
    DWORD exitCode = 0;
    ASSERT_TRUE(crashing.waitForExit(30000, exitCode)) << "the crash hung instead of ending the process";
    EXPECT_NE(exitCode, 0u);
}
