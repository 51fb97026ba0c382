#include "e2e/ProgramWithSimulatedMonitors.h"
#include "e2e/WinProgramUnderTest.h"
#include "localization/StringParameter.h"
#include "localization/VtUiLocalizationManager.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

// A copy of the program with "portable.ini" beside it keeps its files in the
// folder "Data" beside it, and none in the user's profile.
namespace {

constexpr DWORD startTimeoutMs = 60000;
constexpr DWORD exitTimeoutMs = 30000;
constexpr WORD exitCommand = 32774;
constexpr int brightnessCaption = 1018;
constexpr int unwritableDataFolderText = 75;

// The program as the zip ships it, with the simulated monitor beside it, in
// a folder of the test's own beside the tests; removed with everything in it.
class ProgramCopy {
public:
    explicit ProgramCopy(const std::wstring& name)
        : folderName(name + L" " + std::to_wstring(GetCurrentProcessId())),
          copy(std::filesystem::path(WinProgramUnderTest::testFolder()) / folderName)
    {
        const std::filesystem::path build(WinProgramUnderTest::testFolder());
        std::error_code error;
        std::filesystem::remove_all(copy, error);
        std::filesystem::create_directories(copy, error);
        for (const wchar_t* file : {L"Vantrel.exe", L"dxva2.dll"})
            std::filesystem::copy_file(build / file, copy / file, error);
        for (const wchar_t* folder : {L"Localizations", L"Resources"})
            std::filesystem::copy(build / folder, copy / folder, std::filesystem::copy_options::recursive, error);
    }
    ~ProgramCopy()
    {
        std::error_code ignored;
        std::filesystem::remove_all(copy, ignored);
    }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    bool made() const
    {
        return std::filesystem::is_regular_file(copy / L"Vantrel.exe") &&
               std::filesystem::is_regular_file(copy / L"dxva2.dll") &&
               std::filesystem::is_regular_file(copy / L"Localizations" / L"eng.loc");
    }
    const std::filesystem::path& folder() const { return copy; }
    // The program, as WinProgramUnderTest names it.
    std::wstring program() const { return folderName + L"\\Vantrel.exe"; }
    // What README tells the user to do: an empty file named portable.ini beside the program.
    bool makePortable() const { return static_cast<bool>(std::ofstream(copy / L"portable.ini")); }

private:
    std::wstring folderName;
    std::filesystem::path copy;
};

// The user's own data folder, found without making it.
std::filesystem::path userDataFolder()
{
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return {};
    return std::filesystem::path(appData) / L"Vantrel Software" / L"Vantrel";
}

std::string bytesOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::wstring> entriesBelow(const std::filesystem::path& folder)
{
    std::vector<std::wstring> entries;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        entries.push_back(entry.path().wstring());
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::wstring controlText(HWND window, int id)
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(window, id, text, 1024);
    return text;
}

using WinPortableMode = ProgramWithSimulatedMonitorsTest;

} // namespace

// The settings a portable copy keeps in Data are the ones it reads: the
// language chosen there shows; and what it writes lands there alone.
TEST_F(WinPortableMode, KeepsItsSettingsInTheDataFolderBesideItAndNoneInTheUsersProfile)
{
    ASSERT_TRUE(forgetEverySettingsFile());
    const ProgramCopy copy(L"portable copy \u00E4\u00F6\u00FC");
    ASSERT_TRUE(copy.made());
    ASSERT_TRUE(copy.makePortable());
    const std::filesystem::path data = copy.folder() / L"Data";
    std::filesystem::create_directories(data);
    std::ofstream(data / L"ui_settings.vt", std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Vantrel><General language=\"German\"/></Vantrel>\n";

    {
        const WinProgramUnderTest program(L"", copy.program());
        const HWND window = program.waitForMainWindow(startTimeoutMs);
        ASSERT_NE(window, nullptr) << "the portable copy showed no window";
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, startTimeoutMs, &ignored));
        EXPECT_NE(controlText(window, brightnessCaption).find(L"Helligkeit"), std::wstring::npos)
            << "the language saved in Data was not taken";
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0);
        DWORD exitCode = 1;
        ASSERT_TRUE(program.waitForExit(exitTimeoutMs, exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    for (const wchar_t* file : {L"monitors.vt", L"m_orig_st.vt", L"ui_settings.vt"})
        EXPECT_TRUE(std::filesystem::is_regular_file(data / file)) << std::filesystem::path(file).string();
    EXPECT_NE(bytesOf(data / L"ui_settings.vt").find("language=\"German\""), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(userDataFolder())) << "the portable copy wrote into the user's profile";
}

// A copy on a read-only medium: here a file named Data stands where the
// folder would be, which refuses every write as such a medium does. The
// program says so in the user's language (the one it picks at start, as the
// test's own process, which shares the user's locale, finds it) and ends, and
// writes nothing, there or anywhere else.
TEST_F(WinPortableMode, AnUnwritableDataFolderIsReportedInTheUsersLanguageAndNothingIsWritten)
{
    ASSERT_TRUE(forgetEverySettingsFile());
    const ProgramCopy copy(L"read-only copy");
    ASSERT_TRUE(copy.made());
    ASSERT_TRUE(copy.makePortable());
    std::ofstream(copy.folder() / L"Data", std::ios::binary) << "not a folder";
    const auto entriesBefore = entriesBelow(copy.folder());

    VtUiLocalizationManager languages(WinProgramUnderTest::testFolder() + L"\\Localizations");
    ASSERT_NE(languages.current(), nullptr);
    const std::wstring expected =
        withStringParameter(languages.current()->string(unwritableDataFolderText), (copy.folder() / L"Data").wstring());

    {
        const WinProgramUnderTest program(L"", copy.program());
        const HWND box = program.waitForReadyWindow(L"Vantrel", startTimeoutMs);
        ASSERT_NE(box, nullptr) << "no message appeared";
        EXPECT_EQ(controlText(box, 0xFFFF), expected);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        DWORD exitCode = 0;
        ASSERT_TRUE(program.waitForExit(exitTimeoutMs, exitCode)) << "the program kept running";
        EXPECT_NE(exitCode, 0u);
    }

    EXPECT_EQ(entriesBelow(copy.folder()), entriesBefore);
    EXPECT_EQ(bytesOf(copy.folder() / L"Data"), "not a folder");
    EXPECT_FALSE(std::filesystem::exists(userDataFolder())) << "the program wrote into the user's profile";
}
