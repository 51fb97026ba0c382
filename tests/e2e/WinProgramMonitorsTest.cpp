// The program's start-up over the simulated monitors: what it records of
// them in its data folder, and that a second start knows them again.
#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"
#include "persistence/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr WORD exitCommand = 32774;

// Starts the program, lets it come up and ends it through its exit command.
void runOnce()
{
    WinProgramUnderTest program;
    ASSERT_TRUE(program.started());
    HWND window = program.waitForMainWindow(60000);
    DWORD exitCode = 0xFFFFFFFF;
    ASSERT_NE(window, nullptr) << "no main window; exit code "
                               << (program.waitForExit(0, exitCode) ? std::to_string(exitCode) : "none");
    ASSERT_TRUE(PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0));
    ASSERT_TRUE(program.waitForExit(30000, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

using WinProgramMonitorsTest = ProgramWithSimulatedMonitorsTest;

TEST_F(WinProgramMonitorsTest, FirstStartRecordsEveryMonitorAndTheNextStartKnowsThemAgain)
{
    forgetEverySettingsFile();
    ASSERT_NO_FATAL_FAILURE(runOnce());

    const std::string devices = readBytes(dataFolder() / "monitors.vt").value_or("");
    const std::string originals = readBytes(dataFolder() / "m_orig_st.vt").value_or("");
    EXPECT_EQ(countOccurrences(devices, "<device "), displays.size()) << devices;
    for (size_t id = 1; id <= displays.size(); ++id) {
        EXPECT_NE(devices.find("id=\"" + std::to_string(id) + "\""), std::string::npos) << devices;
        EXPECT_NE(originals.find("monitor_id=\"" + std::to_string(id) + "\""), std::string::npos) << originals;
    }
    EXPECT_EQ(countOccurrences(originals, "<monitor "), displays.size()) << originals;
    EXPECT_EQ(countOccurrences(originals, "brightness"), displays.size()) << "each kept state holds the monitor's picture";

    ASSERT_NO_FATAL_FAILURE(runOnce());
    EXPECT_EQ(readBytes(dataFolder() / "monitors.vt").value_or(""), devices) << "the second start made new ids";
    EXPECT_EQ(readBytes(dataFolder() / "m_orig_st.vt").value_or(""), originals) << "the first-seen pictures were replaced";
}

TEST_F(WinProgramMonitorsTest, WithoutAnyMonitorTheProgramEndsWithAFailureCode)
{
    simulate(SimConfig{});
    WinProgramUnderTest program;
    ASSERT_TRUE(program.started());
    DWORD exitCode = 0;
    ASSERT_TRUE(program.waitForExit(60000, exitCode)) << "the program kept running without a monitor";
    EXPECT_NE(exitCode, 0u);
}

} // namespace
