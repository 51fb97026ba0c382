// What the user changed reaches the disk and the next start, when the
// Windows session ends instead of Exit and when another program holds a
// settings file at the moment the program saves it.
#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"
#include "persistence/StoreTestSupport.h"
#include "persistence/WinOtherProgramHandle.h"
#include "ui/resource.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr DWORD startTimeoutMs = 60000;
constexpr DWORD exitTimeoutMs = 30000;
// The English title of the name dialog, which the test answers.
constexpr wchar_t profileNameTitle[] = L"Enter profile name";
constexpr wchar_t trayWindowTitle[] = L"Vantrel Tray";

class WinNothingLost : public ProgramWithSimulatedMonitorsTest {
protected:
    void SetUp() override
    {
        ProgramWithSimulatedMonitorsTest::SetUp();
        ASSERT_TRUE(forgetEverySettingsFile());
    }

    // Starts the program and waits until its main window lists the monitors
    // and its tray window exists.
    void start()
    {
        program = std::make_unique<WinProgramUnderTest>();
        ASSERT_TRUE(program->started());
        window = program->waitForMainWindow(startTimeoutMs);
        ASSERT_NE(window, nullptr);
        DWORD_PTR ignored = 0;
        ASSERT_NE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, startTimeoutMs, &ignored), 0);
        ASSERT_GT(SendMessageW(GetDlgItem(window, IDC_MONITOR_LIST), CB_GETCOUNT, 0, 0), 0);
        tray = program->waitForWindow(trayWindowTitle, 10000);
        ASSERT_NE(tray, nullptr);
    }

    int profileCount() const { return static_cast<int>(SendMessageW(GetDlgItem(window, IDC_PROFILE_LIST), CB_GETCOUNT, 0, 0)); }

    // Through the save button and the name dialog, as the user saves one;
    // done once the profile box lists it.
    void saveProfile(const std::wstring& name)
    {
        const int before = profileCount();
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_SAVE_PROFILE, 0), 0);
        // Ready, not only made: the dialog fills in its controls after its
        // window exists, and a name typed before that is wiped.
        HWND ask = program->waitForReadyWindow(profileNameTitle, 10000);
        ASSERT_NE(ask, nullptr) << "the profile name dialog did not open";
        SetDlgItemTextW(ask, IDC_PROFILE_NAME, name.c_str());
        PostMessageW(ask, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(ask, IDOK)));
        for (int i = 0; i < 200 && profileCount() == before; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_EQ(profileCount(), before + 1) << "the profile was not saved";
    }

    void dragBrightnessTo(int position) const
    {
        HWND slider = GetDlgItem(window, IDC_BRIGHTNESS_SLIDER);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(slider, TBM_SETPOS, TRUE, position, SMTO_NORMAL, 5000, &ignored);
        SendMessageTimeoutW(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                            reinterpret_cast<LPARAM>(slider), SMTO_NORMAL, 5000, &ignored);
    }

    // The two messages the system sends every top-level window when the
    // user logs off: first the question, which every window must answer
    // with yes, then the end itself.
    void endSession() const
    {
        for (HWND each : {window, tray}) {
            DWORD_PTR answer = 0;
            ASSERT_NE(SendMessageTimeoutW(each, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 30000, &answer), 0);
            EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "a window refused the end of the session";
        }
        sendEndSession();
    }

    // A window the program has already closed (it ends on its own once the
    // session ends) is told nothing more.
    void sendEndSession() const
    {
        for (HWND each : {tray, window}) {
            DWORD_PTR ignored = 0;
            const bool answered =
                SendMessageTimeoutW(each, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 60000, &ignored) != 0;
            ASSERT_TRUE(answered || !IsWindow(each)) << "the program did not answer the end of the session";
        }
    }

    void exitThroughCommand()
    {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
        DWORD exitCode = 0xFFFFFFFF;
        ASSERT_TRUE(program->waitForExit(exitTimeoutMs, exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    static std::string dataFile(const char* name)
    {
        return readBytes(dataFolder() / name).value_or("");
    }

    std::unique_ptr<WinProgramUnderTest> program;
    HWND window = nullptr;
    HWND tray = nullptr;
};

} // namespace

// A first run ended by the end of the session, with no Exit and no
// autosave since the start: the process is ended the moment it has answered.
TEST_F(WinNothingLost, TheEndOfTheSessionSavesEverythingBeforeTheProcessIsEnded)
{
    ASSERT_NO_FATAL_FAILURE(start());
    // Nothing waits for the write: the end of the session lets it finish.
    dragBrightnessTo(40);
    ASSERT_NO_FATAL_FAILURE(saveProfile(L"Evening"));

    ASSERT_NO_FATAL_FAILURE(endSession());
    program.reset();

    EXPECT_NE(dataFile("profiles.vt").find("Evening"), std::string::npos);
    // The first-seen picture of every monitor, brightness 70 %.
    const std::string originals = dataFile("m_orig_st.vt");
    EXPECT_EQ(countOccurrences(originals, "monitor_id="), displays.size()) << originals;
    EXPECT_EQ(countOccurrences(originals, "brightness\\&quot;:\\&quot;0.7\\&quot;"), displays.size()) << originals;
    // The write still queued reached the monitor before the answer; read
    // now that no program writes the simulated monitors' state any more.
    const auto now = brightnesses();
    ASSERT_TRUE(now) << "the simulated monitors' state cannot be read";
    EXPECT_EQ(now->front(), 40u);
}

// Bad input: the end of the session in the middle of a drag over a slow
// monitor, told twice. The program answers both, loses nothing, and ends
// on its own with every worker thread joined.
TEST_F(WinNothingLost, TheEndOfTheSessionToldTwiceDuringADragEndsTheProgramCleanly)
{
    SimConfig config = quickMonitors();
    config.monitors[0].writeDelayMs = 50;
    simulate(config);
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(saveProfile(L"Kept"));
    std::atomic<bool> dragging{true};
    std::thread drag([&] {
        for (int position = 0; dragging; position = (position + 7) % 101)
            dragBrightnessTo(position);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    endSession();
    sendEndSession();
    DWORD exitCode = 0xFFFFFFFF;
    const bool ended = program->waitForExit(exitTimeoutMs, exitCode);
    dragging = false;
    drag.join();

    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(ended) << "the program kept running after the end of the session";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_NE(dataFile("profiles.vt").find("Kept"), std::string::npos);
    EXPECT_NE(dataFile("m_ctrl_st.vt").find("monitor_id="), std::string::npos);
    for (const char* companion : {"profiles.vt.tmp", "m_orig_st.vt.tmp", "m_ctrl_st.vt.tmp"})
        EXPECT_FALSE(std::filesystem::exists(dataFolder() / companion)) << companion;
}

// Another program holds "profiles.vt" through the whole exit: the save
// waits a few seconds, then leaves the new profiles in the companion, and
// the next start loads them and puts them in place.
TEST_F(WinNothingLost, ProfilesAFileHolderKeptOutAtExitAreLoadedAtTheNextStart)
{
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(saveProfile(L"Before"));
    ASSERT_NO_FATAL_FAILURE(exitThroughCommand());

    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(saveProfile(L"Held"));
    {
        WinOtherProgramHandle holder(dataFolder() / "profiles.vt", GENERIC_READ, 0);
        ASSERT_TRUE(holder.isOpen());
        ASSERT_NO_FATAL_FAILURE(exitThroughCommand());
    }
    EXPECT_EQ(dataFile("profiles.vt").find("Held"), std::string::npos) << "the held file was replaced after all";
    EXPECT_NE(dataFile("profiles.vt.tmp").find("Held"), std::string::npos);

    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(profileCount(), 2) << "the profile saved last did not come back";
    ASSERT_NO_FATAL_FAILURE(exitThroughCommand());
    EXPECT_NE(dataFile("profiles.vt").find("Held"), std::string::npos);
    EXPECT_NE(dataFile("profiles.vt").find("Before"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dataFolder() / "profiles.vt.tmp"));
}
