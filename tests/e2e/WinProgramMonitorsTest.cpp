// The program's start-up over the simulated monitors: what it records of
// them in its data folder, and that a second start knows them again.
#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr WORD exitCommand = 32774;

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

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

    const std::string devices = readFile(dataFolder() / "monitors.vt");
    const std::string originals = readFile(dataFolder() / "m_orig_st.vt");
    EXPECT_EQ(occurrences(devices, "<device "), displays.size()) << devices;
    for (size_t id = 1; id <= displays.size(); ++id) {
        EXPECT_NE(devices.find("id=\"" + std::to_string(id) + "\""), std::string::npos) << devices;
        EXPECT_NE(originals.find("monitor_id=\"" + std::to_string(id) + "\""), std::string::npos) << originals;
    }
    EXPECT_EQ(occurrences(originals, "<monitor "), displays.size()) << originals;
    EXPECT_EQ(occurrences(originals, "brightness"), displays.size()) << "each kept state holds the monitor's picture";

    ASSERT_NO_FATAL_FAILURE(runOnce());
    EXPECT_EQ(readFile(dataFolder() / "monitors.vt"), devices) << "the second start made new ids";
    EXPECT_EQ(readFile(dataFolder() / "m_orig_st.vt"), originals) << "the first-seen pictures were replaced";
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
