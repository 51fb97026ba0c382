// A per-application rule on the real program: "+20 % brightness while the
// test program is in front", stored as the settings page would store it.
// The test program comes to the front and stays there; some 3 s later every
// simulated monitor is 20 points brighter. Another program comes to the
// front, or the program is ended; the monitors are back where they were.
#include "automation/CopiedTestProgram.h"
#include "automation/WinTestApplication.h"
#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr WORD exitCommand = 32774;
constexpr std::uint32_t configuredBrightness = 70;
constexpr std::uint32_t rulePoints = 20;

const char* const header = R"(<?xml version="1.0" encoding="UTF-8"?>)";

std::string utf8(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string bytes(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

class WinPerApplicationRuleTest : public ProgramWithSimulatedMonitorsTest {
protected:
    // The rule names the test program as built, under application id 1.
    void storeRuleForTestProgram()
    {
        ASSERT_TRUE(writeDataFile("settings.vt", std::string(header) +
                                                     R"(<Vantrel xml:space="preserve" enableGlobalHotkeys="0" )"
                                                     R"(enableOnAppsActions="1" switchProfilesUsingMlcOnTrayIcon="0" />)"));
        ASSERT_TRUE(writeDataFile("apps.vt", std::string(header) + R"(<Vantrel xml:space="preserve"><item binary_path=")" +
                                                 utf8(WinTestApplication::builtProgram()) +
                                                 R"(" icon_id="0" item-id="1" item-refs="1" ui_name="Test program" />)"
                                                 R"(</Vantrel>)"));
        ASSERT_TRUE(writeDataFile("apps_actions.vt",
                                  std::string(header) + R"(<Vantrel xml:space="preserve"><item app_id="1">)"
                                                        R"(<action action="0" brightness="0.2" contrast="0" />)"
                                                        R"(</item></Vantrel>)"));
    }

    // The program started with the rule stored, and the test program in
    // front until the rule has raised every monitor; it stays there.
    void raiseByRule()
    {
        ASSERT_NO_FATAL_FAILURE(storeRuleForTestProgram());
        program = std::make_unique<WinProgramUnderTest>();
        ASSERT_TRUE(program->started());
        // Ready, not only made: a window still filling itself in comes to
        // the front once it is done, and would take it from the test program.
        window = program->waitForReadyWindow(L"Vantrel", 60000);
        ASSERT_NE(window, nullptr);
        ruled = std::make_unique<WinTestApplication>(
            WinTestApplication::builtProgram(), L"\"" + WinTestApplication::builtProgram() + L"\" --stay-in-front");
        ASSERT_TRUE(ruled->started());
        WinTestApplication::bringToFront(ruled->firstWindow());
        ASSERT_EQ(timedBrightnesses(everyMonitorAt(configuredBrightness + rulePoints), "raised"),
                  everyMonitorAt(configuredBrightness + rulePoints));
    }

    void exitThroughCommand()
    {
        ASSERT_TRUE(PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0));
        DWORD exitCode = 0xFFFFFFFF;
        ASSERT_TRUE(program->waitForExit(30000, exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    // Waits up to 15 s for the brightnesses to become wanted; prints how long it took.
    std::optional<std::vector<std::uint32_t>> timedBrightnesses(const std::vector<std::uint32_t>& wanted,
                                                                const char* what) const
    {
        const auto start = std::chrono::steady_clock::now();
        const auto now = awaitBrightnesses([&](const auto& seen) { return seen == wanted; }, 15s);
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::cout << what << " after " << took.count() << " ms\n";
        return now;
    }

    std::vector<std::uint32_t> everyMonitorAt(std::uint32_t brightness) const
    {
        return std::vector<std::uint32_t>(displays.size(), brightness);
    }

    // Each monitor's brightness writes, in the order the program sent them:
    // what the program did, seen where only the program could have done it.
    std::vector<std::vector<std::uint32_t>> brightnessWritesByMonitor() const
    {
        std::vector<std::vector<std::uint32_t>> writes(displays.size());
        for (const SimWriteRecord& write : monitorWrites()) {
            if (write.setting == "brightness" && write.result == SimWriteResult::Ok && write.monitor < writes.size())
                writes[write.monitor].push_back(write.value);
        }
        return writes;
    }

    // Every monitor was raised by the rule, then put back, and its brightness written nothing else.
    void expectRaisedAndPutBack() const
    {
        const std::vector<std::uint32_t> raisedAndBack = {configuredBrightness + rulePoints, configuredBrightness};
        EXPECT_EQ(brightnessWritesByMonitor(), std::vector(displays.size(), raisedAndBack));
    }

    std::unique_ptr<WinProgramUnderTest> program;
    HWND window = nullptr;
    std::unique_ptr<WinTestApplication> ruled;
};

} // namespace

TEST_F(WinPerApplicationRuleTest, BrightnessRisesWhileTheProgramIsInFrontAndComesBackWhenItIsLeft)
{
    ASSERT_NO_FATAL_FAILURE(raiseByRule());

    {
        const CopiedTestProgram otherProgram;
        ASSERT_TRUE(otherProgram.copied);
        const WinTestApplication other(otherProgram.program, L"\"" + otherProgram.program + L"\"");
        ASSERT_TRUE(other.started());
        WinTestApplication::bringToFront(other.firstWindow());
        EXPECT_EQ(timedBrightnesses(everyMonitorAt(configuredBrightness), "restored"),
                  everyMonitorAt(configuredBrightness));
    }

    ASSERT_NO_FATAL_FAILURE(exitThroughCommand());
    expectRaisedAndPutBack();
}

// The rule is still in force when the user ends the program: the exit puts
// every monitor back where it was before the rule raised it.
TEST_F(WinPerApplicationRuleTest, AnExitWhileTheRuleIsInForcePutsTheMonitorsBack)
{
    ASSERT_NO_FATAL_FAILURE(raiseByRule());

    ASSERT_NO_FATAL_FAILURE(exitThroughCommand());

    EXPECT_EQ(brightnesses(), everyMonitorAt(configuredBrightness));
    expectRaisedAndPutBack();
}
