#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"
#include "e2e/WinScreenshot.h"
#include "e2e/WinUnixCommand.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

// The real program over two simulated monitors, operated through its windows
// as a user would: the monitor box, a slider, the profile buttons and their
// dialogs, and the tray icon's notifications.
namespace {

constexpr DWORD startTimeoutMs = 60000;
constexpr DWORD exitTimeoutMs = 30000;
constexpr int profileList = 1000;
constexpr int monitorList = 1001;
constexpr int brightnessSlider = 1005;
constexpr int contrastSlider = 1007;
constexpr int brightnessPercentage = 1004;
constexpr int saveProfileCommand = 1006;
constexpr int deleteProfileCommand = 1028;
constexpr int restoreOriginalsCommand = 1011;
constexpr int profileNameEdit = 1023;
constexpr WORD exitCommand = 32774;
constexpr WORD showMainWindowCommand = 32786;
constexpr WORD loadOnStartupCommand = 32775;
constexpr UINT trayMessage = WM_APP;
// The English texts of the dialogs the test answers.
constexpr wchar_t profileNameTitle[] = L"Enter profile name";
constexpr wchar_t confirmTitle[] = L"Please confirm";
constexpr wchar_t trayWindowTitle[] = L"Vantrel Tray";

using std::chrono::milliseconds;

// A monitor on a slow bus takes this long for every write. A window that
// waited for the monitor would take as long to answer a step of a drag;
// one that hands the write on answers in a small fraction of it, so half a
// write is a bound far above what a step takes even on a loaded machine.
constexpr DWORD slowWriteMs = 2000;
constexpr milliseconds stepAnswerBound{slowWriteMs / 2};
// Time enough for a slow monitor to take the few writes a drag leaves.
constexpr auto slowSettleTime = std::chrono::seconds(30);

class WinMainWindow : public ProgramWithSimulatedMonitorsTest {
protected:
    void SetUp() override
    {
        ProgramWithSimulatedMonitorsTest::SetUp();
        ASSERT_GE(displays.size(), 2u) << "the tests' X server shows two screens";
    }

    // The first monitor on a slow bus, the other as quick as before.
    SimConfig withSlowFirstMonitor() const
    {
        SimConfig config = quickMonitors();
        config.monitors[0].writeDelayMs = slowWriteMs;
        return config;
    }

    // The main window once it has filled itself in; null if it never gets
    // there or lists no monitor.
    static HWND awaitMainWindow(const WinProgramUnderTest& program)
    {
        HWND window = program.waitForReadyWindow(L"Vantrel", startTimeoutMs);
        if (!window)
            return nullptr;
        return SendMessageW(GetDlgItem(window, monitorList), CB_GETCOUNT, 0, 0) > 0 ? window : nullptr;
    }

    // The program's main window and its tray window, once both are ready.
    static void awaitWindows(const WinProgramUnderTest& program, HWND& window, HWND& tray)
    {
        window = awaitMainWindow(program);
        ASSERT_NE(window, nullptr) << "the main window did not appear";
        tray = program.waitForWindow(trayWindowTitle, 10000);
        ASSERT_NE(tray, nullptr) << "the tray window did not appear";
    }

    // What the window's own controls do when the user picks an entry.
    static void chooseEntry(HWND window, int comboId, int index)
    {
        HWND combo = GetDlgItem(window, comboId);
        SendMessageW(combo, CB_SETCURSEL, index, 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }

    // One step of a drag of the brightness slider, as the slider tells its
    // window; how long the window took to take it, or nothing if it had not
    // within ten seconds.
    static std::optional<milliseconds> dragBrightnessTo(HWND window, int position)
    {
        const auto start = std::chrono::steady_clock::now();
        HWND slider = GetDlgItem(window, brightnessSlider);
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(slider, TBM_SETPOS, TRUE, position, SMTO_NORMAL, 10000, &ignored) ||
            !SendMessageTimeoutW(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                                 reinterpret_cast<LPARAM>(slider), SMTO_NORMAL, 10000, &ignored))
            return std::nullopt;
        return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
    }

    // Drags the brightness slider one step at a time from first to last;
    // every step must be taken in under half a write of a slow monitor.
    static void dragStepByStep(HWND window, int first, int last)
    {
        milliseconds slowest{0};
        for (int position = first; position <= last; ++position) {
            const std::optional<milliseconds> took = dragBrightnessTo(window, position);
            ASSERT_TRUE(took) << "the window stopped answering at " << position;
            EXPECT_LT(*took, stepAnswerBound) << "the step to " << position << " waited for the monitor";
            slowest = std::max(slowest, *took);
        }
        std::cout << "slowest of " << last - first + 1 << " steps: " << slowest.count() << " ms\n";
    }

    // The brightness writes that reached the first monitor, in order.
    std::vector<SimWriteRecord> firstMonitorBrightnessWrites() const
    {
        std::vector<SimWriteRecord> found;
        for (const SimWriteRecord& write : monitorWrites()) {
            if (write.monitor == 0 && write.setting == "brightness")
                found.push_back(write);
        }
        return found;
    }

    static std::wstring controlText(HWND window, int id)
    {
        wchar_t text[64] = {};
        GetDlgItemTextW(window, id, text, 64);
        return text;
    }

    std::optional<std::vector<std::uint32_t>> awaitBrightnesses(std::vector<std::uint32_t> expected,
                                                                milliseconds timeout = std::chrono::seconds(10)) const
    {
        return ProgramWithSimulatedMonitorsTest::awaitBrightnesses(
            [&](const std::vector<std::uint32_t>& now) { return now == expected; }, timeout);
    }

    static bool awaitVisible(HWND window, bool visible)
    {
        for (int i = 0; i < 100 && (IsWindowVisible(window) != FALSE) != visible; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return (IsWindowVisible(window) != FALSE) == visible;
    }

    // Presses a button of a dialog or message box of the program.
    static void press(HWND dialog, int buttonId)
    {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
    }

    void confirm(const WinProgramUnderTest& program)
    {
        HWND question = program.waitForReadyWindow(confirmTitle, 10000);
        ASSERT_NE(question, nullptr) << "no confirmation was asked";
        press(question, IDYES);
    }

    // Through the save button and the name dialog, as the user saves one.
    static void saveProfile(const WinProgramUnderTest& program, HWND window, const std::wstring& name)
    {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(saveProfileCommand, 0), 0);
        // The dialog puts its own text into the field as it starts, so the name goes in after that.
        HWND ask = program.waitForReadyWindow(profileNameTitle, 10000);
        ASSERT_NE(ask, nullptr) << "the profile name dialog did not open";
        SetDlgItemTextW(ask, profileNameEdit, name.c_str());
        ASSERT_EQ(controlText(ask, profileNameEdit), name);
        press(ask, IDOK);
        for (int i = 0; i < 100 && IsWindow(ask); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    // A left click on the tray icon; the menu it opened, or null if none opened.
    static HWND openTrayProfileMenu(const WinProgramUnderTest& program, HWND tray)
    {
        PostMessageW(tray, trayMessage, 1, WM_LBUTTONDOWN);
        return program.waitForShownMenu(10000);
    }

    // Presses Down that many times in the menu, then Enter, as a user would:
    // the menu takes keys while it is open, whichever window has the focus.
    static void chooseMenuItem(HWND menu, int downPresses)
    {
        for (int press = 0; press < downPresses; ++press)
            PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menu, WM_CHAR, L'\r', 0);
    }

    static void exitThroughCommand(const WinProgramUnderTest& program, HWND window)
    {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0);
        DWORD exitCode = 0xFFFFFFFF;
        ASSERT_TRUE(program.waitForExit(exitTimeoutMs, exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    static std::string dataFile(const char* name)
    {
        std::ifstream in(dataFolder() / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

} // namespace

TEST_F(WinMainWindow, TheSliderChangesTheSelectedMonitorOnly)
{
    WinProgramUnderTest program;
    HWND window = awaitMainWindow(program);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(SendMessageW(GetDlgItem(window, monitorList), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(controlText(window, brightnessPercentage), L"70%");

    chooseEntry(window, monitorList, 1);
    dragBrightnessTo(window, 33);

    EXPECT_EQ(controlText(window, brightnessPercentage), L"33%");
    EXPECT_EQ(awaitBrightnesses({70, 33}), (std::vector<std::uint32_t>{70, 33}));
    // Kept for a look at the window as the user sees it.
    EXPECT_FALSE(saveWindowScreenshot(window, L"main-window.png").empty());
    exitThroughCommand(program, window);
}

TEST_F(WinMainWindow, ASavedProfileComesBackIsKeptAndCanBeDeleted)
{
    const std::wstring name = L"Night <&> \"warm\"";
    {
        WinProgramUnderTest program;
        HWND window = awaitMainWindow(program);
        ASSERT_NE(window, nullptr);
        dragBrightnessTo(window, 40);
        ASSERT_EQ(awaitBrightnesses({40, 70}), (std::vector<std::uint32_t>{40, 70}));

        ASSERT_NO_FATAL_FAILURE(saveProfile(program, window, name));

        dragBrightnessTo(window, 90);
        ASSERT_EQ(awaitBrightnesses({90, 70}), (std::vector<std::uint32_t>{90, 70}));
        chooseEntry(window, profileList, 0);
        EXPECT_EQ(awaitBrightnesses({40, 70}), (std::vector<std::uint32_t>{40, 70}));
        exitThroughCommand(program, window);
    }
    const std::string saved = dataFile("profiles.vt");
    EXPECT_NE(saved.find("Night &lt;&amp;&gt; &quot;warm&quot;"), std::string::npos) << saved;

    WinProgramUnderTest program;
    HWND window = awaitMainWindow(program);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(SendMessageW(GetDlgItem(window, profileList), CB_GETCOUNT, 0, 0), 1);
    chooseEntry(window, profileList, 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(deleteProfileCommand, 0), 0);
    confirm(program);
    for (int i = 0; i < 100 && SendMessageW(GetDlgItem(window, profileList), CB_GETCOUNT, 0, 0) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(SendMessageW(GetDlgItem(window, profileList), CB_GETCOUNT, 0, 0), 0);
    exitThroughCommand(program, window);
    EXPECT_EQ(dataFile("profiles.vt").find("Night"), std::string::npos);
}

TEST_F(WinMainWindow, RestoreOriginalsAsksThenBringsBackTheFirstSeenValues)
{
    WinProgramUnderTest program;
    HWND window = awaitMainWindow(program);
    ASSERT_NE(window, nullptr);
    dragBrightnessTo(window, 15);
    ASSERT_EQ(awaitBrightnesses({15, 70}), (std::vector<std::uint32_t>{15, 70}));

    PostMessageW(window, WM_COMMAND, MAKEWPARAM(restoreOriginalsCommand, 0), 0);
    confirm(program);

    EXPECT_EQ(awaitBrightnesses({70, 70}), (std::vector<std::uint32_t>{70, 70}));
    for (int i = 0; i < 100 && controlText(window, brightnessPercentage) != L"70%"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(controlText(window, brightnessPercentage), L"70%");
    exitThroughCommand(program, window);
}

TEST_F(WinMainWindow, ALeftClickOnTheTrayIconHidesAndShowsTheWindowAndItsExitEndsTheProgram)
{
    WinProgramUnderTest program;
    HWND window = nullptr;
    HWND tray = nullptr;
    ASSERT_NO_FATAL_FAILURE(awaitWindows(program, window, tray));
    ASSERT_TRUE(awaitVisible(window, true));

    PostMessageW(tray, trayMessage, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(awaitVisible(window, false));
    PostMessageW(tray, trayMessage, 1, WM_LBUTTONUP);
    PostMessageW(tray, trayMessage, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(awaitVisible(window, true));

    PostMessageW(tray, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0);
    DWORD exitCode = 0xFFFFFFFF;
    ASSERT_TRUE(program.waitForExit(exitTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0u);
    // A first start records the monitors it met; the exit saved them.
    EXPECT_NE(dataFile("monitors.vt").find("Generic Non-PnP Monitor"), std::string::npos);
}

// The click opens a menu of the profiles, in the order of their names,
// modally: Escape closes it and leaves the window where it was; an item
// chosen from it with the keyboard applies its profile.
TEST_F(WinMainWindow, WithProfilesOnTheTrayIconAClickOpensTheirMenuAndAnItemAppliesItsProfile)
{
    ASSERT_TRUE(writeDataFile("settings.vt", R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel xml:space="preserve" )"
                                             R"(enableGlobalHotkeys="0" enableOnAppsActions="0" )"
                                             R"(switchProfilesUsingMlcOnTrayIcon="1" />)"));
    WinProgramUnderTest program;
    HWND window = nullptr;
    HWND tray = nullptr;
    ASSERT_NO_FATAL_FAILURE(awaitWindows(program, window, tray));
    dragBrightnessTo(window, 25);
    ASSERT_EQ(awaitBrightnesses({25, 70}), (std::vector<std::uint32_t>{25, 70}));
    ASSERT_NO_FATAL_FAILURE(saveProfile(program, window, L"Dim"));
    dragBrightnessTo(window, 85);
    ASSERT_EQ(awaitBrightnesses({85, 70}), (std::vector<std::uint32_t>{85, 70}));
    ASSERT_NO_FATAL_FAILURE(saveProfile(program, window, L"Bright"));
    dragBrightnessTo(window, 50);
    ASSERT_EQ(awaitBrightnesses({50, 70}), (std::vector<std::uint32_t>{50, 70}));

    HWND menu = openTrayProfileMenu(program, tray);
    ASSERT_NE(menu, nullptr) << "the click opened no menu";
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(program.waitForNoShownMenu(10000)) << "Escape left the menu open";
    EXPECT_TRUE(IsWindowVisible(window)) << "the click toggled the window instead";
    EXPECT_EQ(brightnesses(), (std::vector<std::uint32_t>{50, 70}));

    // Another process cannot read the program's menu, so the test looks at
    // it the way the keyboard does: Down selects the first item, each
    // further Down the next one, and after the last item the first again.
    menu = openTrayProfileMenu(program, tray);
    ASSERT_NE(menu, nullptr) << "the second click opened no menu";
    chooseMenuItem(menu, 2);
    EXPECT_EQ(awaitBrightnesses({25, 70}), (std::vector<std::uint32_t>{25, 70})) << "the second item is not Dim";
    ASSERT_TRUE(program.waitForNoShownMenu(10000)) << "the chosen item left the menu open";

    menu = openTrayProfileMenu(program, tray);
    ASSERT_NE(menu, nullptr) << "the third click opened no menu";
    chooseMenuItem(menu, 3);
    EXPECT_EQ(awaitBrightnesses({85, 70}), (std::vector<std::uint32_t>{85, 70}))
        << "the menu does not hold exactly two items with Bright first";
    EXPECT_TRUE(program.waitForNoShownMenu(10000)) << "the chosen item left the menu open";
    exitThroughCommand(program, window);
}

// Started with Windows the program sits in the tray; the tray menu's first
// command brings its window up.
TEST_F(WinMainWindow, StartedWithWindowsTheWindowWaitsHiddenForTheTrayMenu)
{
    WinProgramUnderTest program(L"-autorun");
    HWND window = nullptr;
    HWND tray = nullptr;
    ASSERT_NO_FATAL_FAILURE(awaitWindows(program, window, tray));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(IsWindowVisible(window));

    PostMessageW(tray, WM_COMMAND, MAKEWPARAM(showMainWindowCommand, 0), 0);
    EXPECT_TRUE(awaitVisible(window, true));
    exitThroughCommand(program, window);
}

TEST_F(WinMainWindow, AMonitorWithoutContrastShowsItsContrastSliderDisabled)
{
    SimConfig config = quickMonitors();
    config.monitors[1].capabilities &= ~static_cast<std::uint32_t>(MC_CAPS_CONTRAST);
    putMonitors(config);
    WinProgramUnderTest program;
    HWND window = awaitMainWindow(program);
    ASSERT_NE(window, nullptr);

    chooseEntry(window, monitorList, 1);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, contrastSlider)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, brightnessSlider)));
    chooseEntry(window, monitorList, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, contrastSlider)));
    exitThroughCommand(program, window);
}

// A drag over a monitor that takes two seconds for every write: the window
// takes every step at once and shows it, the monitor ends at the last
// position, and the steps in between are coalesced into a few writes.
TEST_F(WinMainWindow, ADragOverASlowMonitorAnswersEveryStepAndEndsAtTheLastPosition)
{
    putMonitors(withSlowFirstMonitor());
    WinProgramUnderTest program;
    HWND window = awaitMainWindow(program);
    ASSERT_NE(window, nullptr);
    constexpr int first = 21;
    constexpr int last = 60;

    ASSERT_NO_FATAL_FAILURE(dragStepByStep(window, first, last));

    EXPECT_EQ(controlText(window, brightnessPercentage), L"60%");
    EXPECT_EQ(awaitBrightnesses({60, 70}, slowSettleTime), (std::vector<std::uint32_t>{60, 70}));
    exitThroughCommand(program, window);
    const std::vector<SimWriteRecord> writes = firstMonitorBrightnessWrites();
    std::cout << writes.size() << " writes for " << last - first + 1 << " steps\n";
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.back().value, 60u);
    EXPECT_LE(writes.size(), static_cast<size_t>(last - first + 1) / 4) << "steps were not coalesced";
}

// The monitor takes one write and then no more, as one unplugged in the
// middle of a drag: its writes fail quietly, it keeps its last value, and the
// window answers throughout, however slowly the monitor refuses.
TEST_F(WinMainWindow, AMonitorThatStopsTakingWritesDuringADragLeavesTheWindowResponsive)
{
    SimConfig config = withSlowFirstMonitor();
    config.monitors[0].failWritesAfter = 1;
    putMonitors(config);
    WinProgramUnderTest program;
    HWND window = awaitMainWindow(program);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(dragBrightnessTo(window, 40));
    ASSERT_EQ(awaitBrightnesses({40, 70}, slowSettleTime), (std::vector<std::uint32_t>{40, 70}));
    constexpr int first = 41;
    constexpr int last = 80;

    ASSERT_NO_FATAL_FAILURE(dragStepByStep(window, first, last));

    EXPECT_EQ(controlText(window, brightnessPercentage), L"80%");
    exitThroughCommand(program, window);
    EXPECT_EQ(brightnesses(), (std::vector<std::uint32_t>{40, 70}));
    const std::vector<SimWriteRecord> writes = firstMonitorBrightnessWrites();
    std::cout << writes.size() - 1 << " writes for " << last - first + 1 << " steps after the first\n";
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.front(), (SimWriteRecord{0, "brightness", 40, SimWriteResult::Ok}));
    EXPECT_LE(writes.size() - 1, static_cast<size_t>(last - first + 1) / 4) << "steps were not coalesced";
}

// A real click on the icon, in the notification area Wine shows without a
// desktop of its own (its "Wine System Tray" window, the icon at its left).
TEST_F(WinMainWindow, AMouseClickOnTheTrayIconHidesTheWindow)
{
    WinProgramUnderTest program;
    HWND window = nullptr;
    HWND tray = nullptr;
    ASSERT_NO_FATAL_FAILURE(awaitWindows(program, window, tray));
    ASSERT_TRUE(awaitVisible(window, true));

    const auto status = runUnixCommand("timeout 20 xdotool search --sync --name '^Wine System Tray$' "
                                       "mousemove --window %1 13 31 click 1",
                                       std::chrono::seconds(30));
    ASSERT_TRUE(status.has_value()) << "xdotool did not finish";
    ASSERT_EQ(*status, 0) << "xdotool failed";

    EXPECT_TRUE(awaitVisible(window, false));
    exitThroughCommand(program, window);
}

namespace {

bool startsWithWindows()
{
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Vantrel",
                        RRF_RT_REG_SZ, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool awaitStartsWithWindows(bool expected)
{
    for (int i = 0; i < 100 && startsWithWindows() != expected; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return startsWithWindows() == expected;
}

} // namespace

// "Load on startup" turns start with Windows over each time it is chosen.
TEST_F(WinMainWindow, LoadOnStartupChosenTwiceLeavesStartWithWindowsAsItWas)
{
    const bool before = startsWithWindows();
    WinProgramUnderTest program;
    HWND window = nullptr;
    HWND tray = nullptr;
    ASSERT_NO_FATAL_FAILURE(awaitWindows(program, window, tray));

    PostMessageW(tray, WM_COMMAND, MAKEWPARAM(loadOnStartupCommand, 0), 0);
    EXPECT_TRUE(awaitStartsWithWindows(!before));
    PostMessageW(tray, WM_COMMAND, MAKEWPARAM(loadOnStartupCommand, 0), 0);
    EXPECT_TRUE(awaitStartsWithWindows(before));
    exitThroughCommand(program, window);
}
