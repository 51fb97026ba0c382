#pragma once

#include "e2e/WinProgramUnderTest.h"
#include "sim/SimulatedDisplays.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The packages scripts/package made, tried as a user would: installed,
// upgraded, uninstalled and unpacked under Wine. scripts/test names their
// folders in VANTREL_RELEASE_PACKAGES (this build's version) and
// VANTREL_RELEASE_NEXT_PACKAGES (the same program built as the next version)
// and runs these tests in a Wine prefix of their own, marked as the tests'.

// The two packages of one version.
struct ReleasePackages {
    std::filesystem::path zip;
    std::filesystem::path setup;
};

// The packages in the folder that variable names; nothing, and why in
// refusal, when the variable is not set or the folder lacks one of them.
std::optional<ReleasePackages> releasePackages(const wchar_t* variable, std::string& refusal);

// The user's folders, found without making any of them.
namespace ReleasePlaces {
std::filesystem::path installFolder();
std::filesystem::path startMenuShortcut();
std::filesystem::path userDataFolder();
// The user's application data, roaming and local: where any program keeps its settings.
std::filesystem::path userAppDataRoot();
} // namespace ReleasePlaces

// The installed-programs entry the installer writes (HKCU, or HKLM where a
// machine-wide installer would put it).
namespace ReleaseRegistry {
bool hasUninstallEntry(HKEY root);
std::optional<std::wstring> uninstallValue(const std::wstring& name);
// The value "Vantrel" under the user's Run key.
std::optional<std::wstring> runValue();
// Everything an installation leaves for the user, removed; refuses outside
// a proven test prefix.
[[nodiscard]] bool removeAllTraces();
} // namespace ReleaseRegistry

// The programs Wine's own "Add/Remove Programs" lists, as
// `uninstaller --list` prints them (one name a line).
std::vector<std::wstring> installedProgramNames();

// The product version the file's version resource gives, in short form ("0.1" for 0.1.0.0).
std::wstring productVersionOf(const std::filesystem::path& program);
// The program a shortcut file starts; empty when it cannot be read.
std::filesystem::path shortcutTarget(const std::filesystem::path& shortcut);
// Every file below folder, as paths relative to it, sorted.
std::vector<std::wstring> filesBelow(const std::filesystem::path& folder);
// What a package ships, relative to the program's folder and sorted: the
// program, its language files and button images as the build lays them out
// beside the tests, and the three texts.
std::vector<std::wstring> shippedFiles();

// Runs a program to its end; its exit code, or nothing when it did not start
// or end in time.
std::optional<DWORD> runToEnd(const std::wstring& program, const std::wstring& arguments,
                              std::chrono::milliseconds timeout);
// Polls until done says yes or the time is up; done's last answer.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// A test of the packages: proven test prefix, packages present, nothing of an
// earlier installation or run left for the user, and simulated monitors
// behind every display for the program to start on.
class ReleasePackagesTest : public SimulatedMonitorsTest {
protected:
    void SetUp() override;

    // The main window of a program just started, once it has filled itself
    // in; null when none appeared in time.
    static HWND awaitMainWindow(const WinProgramUnderTest& program);
    // Puts the simulated DDC/CI monitor beside a program that is about to run.
    [[nodiscard]] static bool putSimulatedMonitorBeside(const std::filesystem::path& program);
    // Ends the program through its tray menu's Exit, as the user does; its exit code.
    static std::optional<DWORD> exitThroughTray(const WinProgramUnderTest& program);
    // The number of monitors the main window's monitor list offers.
    static int listedMonitors(HWND mainWindow);

    ReleasePackages current;
    ReleasePackages next;
    std::vector<std::wstring> displays;
};
