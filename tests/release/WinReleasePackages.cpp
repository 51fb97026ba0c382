#include "release/WinReleasePackages.h"

#include "e2e/WinTestPrefix.h"
#include "support/kelComInitialize.h"
#include "system/kelBinaryFileVersionInfo.h"
#include "system/kelWinRegistryKey.h"
#include "system/kelWinVersionResource.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

namespace {

constexpr wchar_t uninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel";
constexpr wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr WORD exitCommand = 32774;
constexpr int monitorList = 1001;
constexpr DWORD startTimeoutMs = 60000;
constexpr DWORD exitTimeoutMs = 30000;

std::filesystem::path knownFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

std::wstring environmentValue(const wchar_t* name)
{
    wchar_t value[4096] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 4096);
    return length == 0 || length >= 4096 ? std::wstring() : std::wstring(value, length);
}

std::string narrow(const std::wstring& text)
{
    return std::filesystem::path(text).string();
}

// The one file in folder whose name ends so.
std::filesystem::path onlyFileEndingIn(const std::filesystem::path& folder, const std::wstring& ending)
{
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::wstring name = entry.path().filename().wstring();
        if (name.size() > ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
            found.push_back(entry.path());
    }
    return found.size() == 1 ? found.front() : std::filesystem::path();
}

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};

} // namespace

std::optional<ReleasePackages> releasePackages(const wchar_t* variable, std::string& refusal)
{
    const std::wstring folder = environmentValue(variable);
    if (folder.empty()) {
        refusal = narrow(variable) + " is not set: scripts/test names the folder of the packages there";
        return std::nullopt;
    }
    ReleasePackages packages{onlyFileEndingIn(folder, L"-win-x64.zip"), onlyFileEndingIn(folder, L"-win-x64-setup.exe")};
    if (packages.zip.empty() || packages.setup.empty()) {
        refusal = narrow(folder) + " does not hold exactly one zip and one installer of scripts/package";
        return std::nullopt;
    }
    return packages;
}

std::filesystem::path ReleasePlaces::installFolder()
{
    return knownFolder(CSIDL_LOCAL_APPDATA) / L"Programs" / L"Vantrel";
}

std::filesystem::path ReleasePlaces::startMenuShortcut()
{
    return knownFolder(CSIDL_PROGRAMS) / L"Vantrel.lnk";
}

std::filesystem::path ReleasePlaces::userDataFolder()
{
    return knownFolder(CSIDL_APPDATA) / L"Vantrel Software" / L"Vantrel";
}

std::filesystem::path ReleasePlaces::userAppDataRoot()
{
    return knownFolder(CSIDL_APPDATA).parent_path();
}

bool ReleaseRegistry::hasUninstallEntry(HKEY root)
{
    return kelWinRegistryKey(root, uninstallKey, KEY_READ).isOpen();
}

std::optional<std::wstring> ReleaseRegistry::uninstallValue(const std::wstring& name)
{
    return kelWinRegistryKey(HKEY_CURRENT_USER, uninstallKey, KEY_READ).readText(name, 2048);
}

std::optional<std::wstring> ReleaseRegistry::runValue()
{
    return kelWinRegistryKey(HKEY_CURRENT_USER, runKey, KEY_READ).readText(L"Vantrel", 2048);
}

bool ReleaseRegistry::removeAllTraces()
{
    if (!WinTestPrefix::whyNotATestPrefix().empty())
        return false;
    std::error_code ignored;
    std::filesystem::remove_all(ReleasePlaces::installFolder(), ignored);
    std::filesystem::remove(ReleasePlaces::startMenuShortcut(), ignored);
    // The vendor's folder too, which holds nothing but the data folder.
    std::filesystem::remove_all(ReleasePlaces::userDataFolder().parent_path(), ignored);
    RegDeleteTreeW(HKEY_CURRENT_USER, uninstallKey);
    kelWinRegistryKey(HKEY_CURRENT_USER, runKey, KEY_SET_VALUE).deleteValue(L"Vantrel");
    return !hasUninstallEntry(HKEY_CURRENT_USER) && !std::filesystem::exists(ReleasePlaces::installFolder()) &&
           !runValue();
}

std::vector<std::wstring> installedProgramNames()
{
    const SimScratchFolder folder;
    const std::filesystem::path output = folder.path() / L"programs.txt";
    {
        const WinProgramUnderTest lister(L"--list", (knownFolder(CSIDL_SYSTEM) / L"uninstaller.exe").wstring(),
                                         output.wstring());
        DWORD exitCode = 0;
        if (!lister.waitForExit(exitTimeoutMs, exitCode))
            return {};
    }
    // Each line is the entry's key, "|||" and its shown name.
    std::ifstream in(output);
    std::vector<std::wstring> names;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t separator = line.find("|||");
        if (separator != std::string::npos)
            names.push_back(std::filesystem::path(line.substr(separator + 3)).wstring());
    }
    return names;
}

std::wstring productVersionOf(const std::filesystem::path& program)
{
    kelBinaryFileVersionInfo info;
    if (!info.read(program.wstring(), kelWinVersionResourceReader()))
        return {};
    return info.productVersion.toString();
}

std::filesystem::path shortcutTarget(const std::filesystem::path& shortcut)
{
    const kelComInitialize com;
    IShellLinkW* rawLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&rawLink))))
        return {};
    const std::unique_ptr<IShellLinkW, ComRelease> link(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile))))
        return {};
    const std::unique_ptr<IPersistFile, ComRelease> file(rawFile);
    wchar_t target[MAX_PATH] = {};
    if (FAILED(file->Load(shortcut.c_str(), STGM_READ)) ||
        FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)))
        return {};
    return target;
}

std::vector<std::wstring> filesBelow(const std::filesystem::path& folder)
{
    std::vector<std::wstring> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error)) {
        if (entry.is_regular_file())
            files.push_back(entry.path().lexically_relative(folder).wstring());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::wstring> shippedFiles()
{
    std::vector<std::wstring> files = {L"LICENSE.txt", L"README.txt", L"THIRD-PARTY-NOTICES.txt", L"Vantrel.exe"};
    const std::filesystem::path build(WinProgramUnderTest::testFolder());
    for (const wchar_t* folder : {L"Localizations", L"Resources"}) {
        for (const auto& file : filesBelow(build / folder))
            files.push_back((std::filesystem::path(folder) / file).wstring());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<DWORD> runToEnd(const std::wstring& program, const std::wstring& arguments,
                              std::chrono::milliseconds timeout)
{
    const WinProgramUnderTest run(arguments, program);
    DWORD exitCode = 0;
    if (!run.started() || !run.waitForExit(static_cast<DWORD>(timeout.count()), exitCode))
        return std::nullopt;
    return exitCode;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

void ReleasePackagesTest::SetUp()
{
    const std::string notOurs = WinTestPrefix::whyNotATestPrefix();
    ASSERT_TRUE(notOurs.empty()) << notOurs;
    std::string refusal;
    const auto currentPackages = releasePackages(L"VANTREL_RELEASE_PACKAGES", refusal);
    ASSERT_TRUE(currentPackages) << refusal;
    const auto nextPackages = releasePackages(L"VANTREL_RELEASE_NEXT_PACKAGES", refusal);
    ASSERT_TRUE(nextPackages) << refusal;
    current = *currentPackages;
    next = *nextPackages;
    ASSERT_TRUE(ReleaseRegistry::removeAllTraces());

    displays = simDisplayNames();
    ASSERT_EQ(displays.size(), 2u) << "the release tests need the two displays of scripts/test's X server";
    SimConfig config;
    for (const auto& display : displays)
        config.monitors.push_back(quickSimMonitor(display));
    simulate(config);
}

HWND ReleasePackagesTest::awaitMainWindow(const WinProgramUnderTest& program)
{
    // The title comes with the window; the monitor list is filled once the
    // window's thread is back in its message loop.
    const HWND window = program.started() ? program.waitForMainWindow(startTimeoutMs) : nullptr;
    DWORD_PTR ignored = 0;
    if (!window || !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, startTimeoutMs, &ignored))
        return nullptr;
    return window;
}

bool ReleasePackagesTest::putSimulatedMonitorBeside(const std::filesystem::path& program)
{
    std::error_code error;
    std::filesystem::copy_file(std::filesystem::path(WinProgramUnderTest::testFolder()) / L"dxva2.dll",
                               program.parent_path() / L"dxva2.dll",
                               std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

std::optional<DWORD> ReleasePackagesTest::exitThroughTray(const WinProgramUnderTest& program)
{
    const HWND tray = program.waitForWindow(L"Vantrel Tray", exitTimeoutMs);
    if (!tray || !PostMessageW(tray, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0))
        return std::nullopt;
    DWORD exitCode = 0;
    if (!program.waitForExit(exitTimeoutMs, exitCode))
        return std::nullopt;
    return exitCode;
}

int ReleasePackagesTest::listedMonitors(HWND mainWindow)
{
    return static_cast<int>(SendDlgItemMessageW(mainWindow, monitorList, CB_GETCOUNT, 0, 0));
}
