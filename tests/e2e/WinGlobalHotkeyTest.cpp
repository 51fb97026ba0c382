// A real key press from the X server reaches the program as its global
// hotkey: Ctrl+Alt+B, stored as a 5 % brightness step, raises every
// simulated monitor's brightness by 5 points while "enableGlobalHotkeys" is
// on, and does nothing while it is off.
#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"
#include "e2e/WinUnixCommand.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr WORD exitCommand = 32774;
constexpr std::uint32_t configuredBrightness = 70;
constexpr std::uint32_t stepPoints = 5;

const char* const ctrlAltBHotkeys =
    R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel xml:space="preserve"><keys>)"
    R"(<key id="0" key="66" modifiers="5" name="Ctrl + Alt + B"><action action="0" brightness="0.05" contrast="0" />)"
    R"(</key></keys></Vantrel>)";

std::string settings(bool globalHotkeys)
{
    return std::string(R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel xml:space="preserve" enableGlobalHotkeys=")") +
           (globalHotkeys ? "1" : "0") + R"(" enableOnAppsActions="0" switchProfilesUsingMlcOnTrayIcon="0" />)";
}

class WinGlobalHotkeyTest : public ProgramWithSimulatedMonitorsTest {
protected:
    void startWithHotkeys(bool globalHotkeys)
    {
        ASSERT_TRUE(writeDataFile("settings.vt", settings(globalHotkeys)));
        ASSERT_TRUE(writeDataFile("hotkeys.vt", ctrlAltBHotkeys));
        program = std::make_unique<WinProgramUnderTest>();
        ASSERT_TRUE(program->started());
        window = program->waitForMainWindow(60000);
        ASSERT_NE(window, nullptr);
    }

    void TearDown() override
    {
        if (window) {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0);
            DWORD exitCode = 0xFFFFFFFF;
            EXPECT_TRUE(program->waitForExit(30000, exitCode));
            EXPECT_EQ(exitCode, 0u);
        }
        ProgramWithSimulatedMonitorsTest::TearDown();
    }

    // X delivers keys only to the window that has its keyboard focus, so the
    // program's window takes it first; the hotkey then fires whichever
    // window of Wine has the focus.
    static void pressCtrlAltB()
    {
        const auto status = runUnixCommand("timeout 20 xdotool search --sync --onlyvisible --name '^Vantrel$' "
                                           "windowfocus --sync key ctrl+alt+b",
                                           30s);
        ASSERT_TRUE(status.has_value()) << "xdotool did not finish";
        ASSERT_EQ(*status, 0) << "xdotool failed";
    }

    std::unique_ptr<WinProgramUnderTest> program;
    HWND window = nullptr;
};

} // namespace

TEST_F(WinGlobalHotkeyTest, CtrlAltBRaisesEveryMonitorsBrightnessByItsStep)
{
    ASSERT_NO_FATAL_FAILURE(startWithHotkeys(true));
    ASSERT_NO_FATAL_FAILURE(pressCtrlAltB());

    // The monitors are written one after the other: the first raised is not yet all raised.
    const std::vector<std::uint32_t> raised(displays.size(), configuredBrightness + stepPoints);
    EXPECT_EQ(awaitBrightnesses([&](const auto& now) { return now == raised; }, 10s), raised);
}

TEST_F(WinGlobalHotkeyTest, WithGlobalHotkeysOffTheKeyDoesNothing)
{
    ASSERT_NO_FATAL_FAILURE(startWithHotkeys(false));
    const std::vector<std::uint32_t> before(displays.size(), configuredBrightness);

    ASSERT_NO_FATAL_FAILURE(pressCtrlAltB());

    // Nothing can be awaited here; the time allowed is what the step takes when the switch is on, several times over.
    EXPECT_EQ(awaitBrightnesses([&](const auto& now) { return now != before; }, 3s), before);
    EXPECT_TRUE(monitorWrites().empty());
}

// A message box runs a loop of its own: the hotkey still works while the
// main window's "Please confirm" question is open, and the question stays.
TEST_F(WinGlobalHotkeyTest, CtrlAltBWorksWhileAQuestionIsOpen)
{
    constexpr WORD restoreOriginalsCommand = 1011;
    ASSERT_NO_FATAL_FAILURE(startWithHotkeys(true));
    const std::vector<std::uint32_t> before(displays.size(), configuredBrightness);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(restoreOriginalsCommand, 0), 0);
    HWND question = program->waitForReadyWindow(L"Please confirm", 10000);
    ASSERT_NE(question, nullptr) << "no question was asked";

    ASSERT_NO_FATAL_FAILURE(pressCtrlAltB());

    const std::vector<std::uint32_t> raised(displays.size(), configuredBrightness + stepPoints);
    EXPECT_EQ(awaitBrightnesses([&](const auto& now) { return now != before; }, 10s), raised);
    EXPECT_TRUE(IsWindow(question));
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(question, IDNO)));
}
