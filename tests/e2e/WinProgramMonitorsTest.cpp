// The program's start-up over the simulated monitors: what it records of
// them in its data folder, that a second start knows them again, that a
// start only reads from the monitors, and that a settings file another
// program holds is left as it was.
#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"
#include "persistence/StoreTestSupport.h"
#include "persistence/WinOtherProgramHandle.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>

namespace {

constexpr WORD exitCommand = 32774;

// Starts the program, lets it come up, runs whileRunning and ends it through its exit command.
void runOnce(const std::function<void()>& whileRunning = {})
{
    WinProgramUnderTest program;
    ASSERT_TRUE(program.started());
    HWND window = program.waitForMainWindow(60000);
    DWORD exitCode = 0xFFFFFFFF;
    ASSERT_NE(window, nullptr) << "no main window; exit code "
                               << (program.waitForExit(0, exitCode) ? std::to_string(exitCode) : "none");
    if (whileRunning)
        whileRunning();
    ASSERT_TRUE(PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0));
    ASSERT_TRUE(program.waitForExit(30000, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

std::string listed(const std::vector<SimWriteRecord>& writes)
{
    std::string lines;
    for (const auto& write : writes)
        lines += formatSimWriteRecord(write) + "\n";
    return lines;
}

using WinProgramMonitorsTest = ProgramWithSimulatedMonitorsTest;

TEST_F(WinProgramMonitorsTest, FirstStartRecordsEveryMonitorAndTheNextStartKnowsThemAgain)
{
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
    EXPECT_EQ(listed(monitorWrites()), "") << "a first start only reads from the monitors";

    ASSERT_NO_FATAL_FAILURE(runOnce());
    EXPECT_EQ(readBytes(dataFolder() / "monitors.vt").value_or(""), devices) << "the second start made new ids";
    EXPECT_EQ(readBytes(dataFolder() / "m_orig_st.vt").value_or(""), originals) << "the first-seen pictures were replaced";
    EXPECT_EQ(listed(monitorWrites()), "") << "a start over kept states only reads from the monitors";
}

// Another program holds the originals file unshared while the program
// starts, then lets go. The program cannot read it, so it finds no original
// for the monitors and records what they show now, which differs from what
// the file holds; that must never replace the file.
TEST_F(WinProgramMonitorsTest, AnOriginalsFileHeldByAnotherProgramIsLeftAsItWas)
{
    ASSERT_NO_FATAL_FAILURE(runOnce());
    const auto originalsFile = dataFolder() / "m_orig_st.vt";
    const auto originals = readBytes(originalsFile);
    ASSERT_TRUE(originals);

    SimConfig adjusted = quickMonitors();
    for (auto& monitor : adjusted.monitors)
        monitor.range(SimRangedValue::Brightness).current = 20;
    putMonitors(adjusted);
    WinOtherProgramHandle holder(originalsFile, GENERIC_READ, 0);
    ASSERT_TRUE(holder.isOpen());
    ASSERT_NO_FATAL_FAILURE(runOnce([&] { holder.letGo(); }));

    EXPECT_EQ(readBytes(originalsFile), originals);
}

// The user is told, in the platform's error box with its default caption,
// and the program ends once the box is closed.
TEST_F(WinProgramMonitorsTest, WithoutAnyMonitorTheProgramSaysSoAndEndsWithAFailureCode)
{
    putMonitors(SimConfig{});
    WinProgramUnderTest program;
    ASSERT_TRUE(program.started());
    HWND box = program.waitForReadyWindow(L"Error", 60000);
    ASSERT_NE(box, nullptr) << "no error box appeared";
    wchar_t text[256] = {};
    // The message box's text control.
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_NE(std::wstring(text).find(L"No monitor whose brightness can be adjusted was found"), std::wstring::npos)
        << "the box says: " << std::string(text, text + wcslen(text));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    DWORD exitCode = 0;
    ASSERT_TRUE(program.waitForExit(60000, exitCode)) << "the program kept running without a monitor";
    EXPECT_NE(exitCode, 0u);
}

} // namespace
