#include "release/WinReleasePackages.h"

#include "system/kelAppVersion.h"
#include "system/kelBinaryFileVersionInfo.h"
#include "system/kelCommandLine.h"
#include "system/kelWinCommandLineLookup.h"
#include "system/kelWinRegistryKey.h"
#include "system/kelWinVersionResource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

// The per-user installer, run silently as an administrator's script or a
// software-distribution tool would, then checked where the user meets what
// it did: the program's folder, the Start menu, the installed-programs list,
// start with Windows and the settings.
namespace {

using namespace std::chrono_literals;

constexpr WORD loadOnStartupCommand = 32775;
constexpr auto installTimeout = 120s;

using WinInstaller = ReleasePackagesTest;

// The manifest the installer carries, which tells Windows whether to ask for elevation.
std::string manifestOf(const std::filesystem::path& program)
{
    const HMODULE module =
        LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return {};
    std::string manifest;
    if (const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        if (const HGLOBAL loaded = LoadResource(module, found))
            manifest.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return manifest;
}

std::filesystem::path installedProgram()
{
    return ReleasePlaces::installFolder() / L"Vantrel.exe";
}

std::wstring shortForm(const std::wstring& version)
{
    kelAppVersion parsed;
    return parsed.parse(version) ? parsed.toString() : std::wstring();
}

int entriesNamedVantrel()
{
    const auto names = installedProgramNames();
    return static_cast<int>(std::count(names.begin(), names.end(), L"Vantrel"));
}

// Runs the uninstaller that the installed-programs entry names, silently,
// as the list's Uninstall button does. It hands its work to a copy of itself
// in the temporary folder (so that it can delete its own file) and returns at
// once, so the removal is waited for.
bool uninstallQuietly()
{
    const auto command = ReleaseRegistry::uninstallValue(L"QuietUninstallString");
    if (!command)
        return false;
    kelCommandLine line;
    line.parse(*command, kelWinCommandLineLookup());
    if (runToEnd(line.program(), line.arguments(), installTimeout) != 0u)
        return false;
    return waitUntil(
        [] {
            return !ReleaseRegistry::hasUninstallEntry(HKEY_CURRENT_USER) &&
                   !std::filesystem::exists(ReleasePlaces::installFolder());
        },
        60s);
}

// The user's settings files and what they hold.
std::map<std::wstring, std::string> settingsFiles()
{
    std::map<std::wstring, std::string> files;
    for (const auto& name : filesBelow(ReleasePlaces::userDataFolder())) {
        std::ifstream in(ReleasePlaces::userDataFolder() / name, std::ios::binary);
        files[name] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

} // namespace

TEST_F(WinInstaller, InstallsForTheUserAloneRunsAndUninstallsLeavingTheSettings)
{
    EXPECT_NE(manifestOf(current.setup).find("level=\"asInvoker\""), std::string::npos)
        << "the installer would ask for elevation";
    ASSERT_EQ(runToEnd(current.setup.wstring(), L"/S", installTimeout), 0u);

    std::vector<std::wstring> installed = shippedFiles();
    installed.push_back(L"Uninstall.exe");
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(filesBelow(ReleasePlaces::installFolder()), installed);
    EXPECT_EQ(shortcutTarget(ReleasePlaces::startMenuShortcut()), installedProgram());
    EXPECT_EQ(entriesNamedVantrel(), 1);
    EXPECT_FALSE(ReleaseRegistry::hasUninstallEntry(HKEY_LOCAL_MACHINE)) << "an entry for every user";
    kelBinaryFileVersionInfo program;
    ASSERT_TRUE(program.read(installedProgram().wstring(), kelWinVersionResourceReader()));
    EXPECT_EQ(ReleaseRegistry::uninstallValue(L"DisplayName"), L"Vantrel");
    EXPECT_EQ(shortForm(ReleaseRegistry::uninstallValue(L"DisplayVersion").value_or(L"")),
              program.productVersion.toString());
    EXPECT_EQ(ReleaseRegistry::uninstallValue(L"Publisher"), program.companyName);
    EXPECT_EQ(ReleaseRegistry::uninstallValue(L"DisplayIcon"), installedProgram().wstring() + L",0");

    // The installed program on two monitors; the user turns start with Windows on and exits from the tray.
    ASSERT_TRUE(putSimulatedMonitorBeside(installedProgram()));
    {
        const WinProgramUnderTest running(L"", installedProgram().wstring());
        const HWND window = awaitMainWindow(running);
        ASSERT_NE(window, nullptr) << "the installed program showed no window";
        EXPECT_EQ(listedMonitors(window), 2);
        const HWND tray = running.waitForWindow(L"Vantrel Tray", 10000);
        ASSERT_NE(tray, nullptr);
        PostMessageW(tray, WM_COMMAND, MAKEWPARAM(loadOnStartupCommand, 0), 0);
        const std::wstring startCommand = L"\"" + installedProgram().wstring() + L"\" -autorun";
        EXPECT_TRUE(waitUntil([&] { return ReleaseRegistry::runValue() == startCommand; }, 10s))
            << "start with Windows was not turned on";
        EXPECT_EQ(exitThroughTray(running), 0u);
    }
    const auto settings = settingsFiles();
    EXPECT_FALSE(settings.empty()) << "the program kept no settings";
    std::filesystem::remove(ReleasePlaces::installFolder() / L"dxva2.dll");

    ASSERT_TRUE(uninstallQuietly()) << "the uninstaller left its entry or the program's folder";
    EXPECT_FALSE(std::filesystem::exists(ReleasePlaces::startMenuShortcut()));
    EXPECT_FALSE(ReleaseRegistry::runValue()) << "start with Windows stayed on";
    EXPECT_EQ(entriesNamedVantrel(), 0);
    EXPECT_EQ(settingsFiles(), settings) << "uninstalling touched the user's settings";
}

// Started with Windows from somewhere else (a portable copy), the program's
// Run value is not the installation's to remove.
TEST_F(WinInstaller, UninstallingLeavesAnotherCopysStartWithWindows)
{
    ASSERT_EQ(runToEnd(current.setup.wstring(), L"/S", installTimeout), 0u);
    const std::wstring portableCommand = L"\"D:\\Stick\\Vantrel\\Vantrel.exe\" -autorun";
    ASSERT_TRUE(kelWinRegistryKey(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                  KEY_SET_VALUE)
                    .writeText(L"Vantrel", portableCommand));

    ASSERT_TRUE(uninstallQuietly());
    EXPECT_EQ(ReleaseRegistry::runValue(), portableCommand);
}

TEST_F(WinInstaller, ANewerVersionReplacesTheInstalledOneInPlaceClosingItAndKeepingTheSettings)
{
    ASSERT_EQ(runToEnd(current.setup.wstring(), L"/S", installTimeout), 0u);
    const std::wstring olderVersion = productVersionOf(installedProgram());
    ASSERT_TRUE(putSimulatedMonitorBeside(installedProgram()));
    {
        const WinProgramUnderTest first(L"", installedProgram().wstring());
        ASSERT_NE(awaitMainWindow(first), nullptr);
        ASSERT_EQ(exitThroughTray(first), 0u);
    }
    const auto settings = settingsFiles();
    ASSERT_FALSE(settings.empty());

    // The older version runs while the newer one is installed: the installer
    // has it exit as the tray's Exit does, so that its file can be replaced.
    const WinProgramUnderTest older(L"", installedProgram().wstring());
    ASSERT_NE(awaitMainWindow(older), nullptr);
    ASSERT_EQ(runToEnd(next.setup.wstring(), L"/S", installTimeout), 0u);
    DWORD olderExit = 1;
    EXPECT_TRUE(older.waitForExit(30000, olderExit)) << "the installer left the older version running";
    EXPECT_EQ(olderExit, 0u);

    const std::wstring newerVersion = productVersionOf(installedProgram());
    EXPECT_NE(newerVersion, olderVersion);
    EXPECT_EQ(entriesNamedVantrel(), 1);
    EXPECT_EQ(shortForm(ReleaseRegistry::uninstallValue(L"DisplayVersion").value_or(L"")), newerVersion);
    EXPECT_EQ(ReleaseRegistry::uninstallValue(L"InstallLocation"), ReleasePlaces::installFolder().wstring());
    std::vector<std::wstring> settingsNames;
    for (const auto& [name, bytes] : settings)
        settingsNames.push_back(name);
    EXPECT_EQ(filesBelow(ReleasePlaces::userDataFolder()), settingsNames);

    const WinProgramUnderTest newer(L"", installedProgram().wstring());
    ASSERT_NE(awaitMainWindow(newer), nullptr) << "the newer version does not start";
    EXPECT_EQ(exitThroughTray(newer), 0u);
    std::filesystem::remove(ReleasePlaces::installFolder() / L"dxva2.dll");
    EXPECT_TRUE(uninstallQuietly());
}

// A file that cannot be replaced (held by a scanner or backup tool, as the
// test holds the program here) fails the installation, and leaves the older
// version whole and its entry as it was.
TEST_F(WinInstaller, AnUpgradeThatCannotReplaceTheProgramFailsAndLeavesTheOlderVersion)
{
    ASSERT_EQ(runToEnd(current.setup.wstring(), L"/S", installTimeout), 0u);
    const std::wstring olderVersion = productVersionOf(installedProgram());
    {
        const HANDLE held = CreateFileW(installedProgram().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const auto exitCode = runToEnd(next.setup.wstring(), L"/S", installTimeout);
        CloseHandle(held);
        ASSERT_TRUE(exitCode) << "the installer did not end";
        EXPECT_NE(*exitCode, 0u) << "the installer reported success";
    }
    EXPECT_EQ(productVersionOf(installedProgram()), olderVersion);
    EXPECT_EQ(shortForm(ReleaseRegistry::uninstallValue(L"DisplayVersion").value_or(L"")), olderVersion);
    EXPECT_TRUE(uninstallQuietly());
}
