#include "e2e/WinTestPrefix.h"
#include "e2e/WinUnixCommand.h"
#include "release/WinReleasePackages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

// The zip, unpacked where a user might put it (a folder whose path holds
// blanks and letters outside ASCII) and switched to portable mode as its
// README says.
namespace {

using namespace std::chrono_literals;

using WinPortableZip = ReleasePackagesTest;

// Every settings file and every folder of Vantrel under the user's
// application data, roaming and local, as deep as a program's settings go
// ("Roaming\\Vendor\\Product\\file"). No deeper: Wine links some folders
// there (Templates) to the Unix user's home, which is not the prefix's.
std::vector<std::wstring> vantrelTracesInTheUserProfile()
{
    std::vector<std::wstring> traces;
    std::error_code error;
    std::filesystem::recursive_directory_iterator entry(ReleasePlaces::userAppDataRoot(), error);
    for (; !error && entry != std::filesystem::recursive_directory_iterator(); entry.increment(error)) {
        const std::wstring name = entry->path().filename().wstring();
        if (entry->path().extension() == L".vt" || name == L"Vantrel" || name == L"Vantrel Software")
            traces.push_back(entry->path().wstring());
        if (entry.depth() >= 3)
            entry.disable_recursion_pending();
    }
    return traces;
}

std::string textOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST_F(WinPortableZip, RunsFromAFolderWithBlanksAndNonAsciiLettersKeepingEverythingInItsDataFolder)
{
    const std::filesystem::path folder = L"C:\\Portable Programs\\Vantrel f\u00FCr unterwegs \u00E9\u00F1";
    std::error_code error;
    std::filesystem::remove_all(folder.parent_path(), error);
    std::filesystem::create_directories(folder.parent_path());
    // unzip takes paths of the Unix side, where Wine's conversion of names
    // outside ASCII is its own business: the zip is unpacked into a folder of
    // plain letters, which Windows then moves to the folder the user chose.
    const SimScratchFolder scratch;
    const std::string unpacked = WinTestPrefix::unixPathOf(scratch.path().wstring()) + "/unpacked";
    const std::string zip = WinTestPrefix::unixPathOf(current.zip.wstring());
    ASSERT_EQ(runUnixCommand("unzip -q '" + zip + "' -d '" + unpacked + "'", 60s), 0) << "unzip failed";
    ASSERT_TRUE(MoveFileExW((scratch.path() / L"unpacked").c_str(), folder.c_str(), MOVEFILE_COPY_ALLOWED));

    EXPECT_EQ(filesBelow(folder), shippedFiles()) << "the zip ships something else, or leaves something out";
    EXPECT_NE(textOf(folder / L"README.txt").find("portable.ini"), std::string::npos)
        << "the README does not say how to turn portable mode on";

    std::ofstream(folder / L"portable.ini").close();
    ASSERT_TRUE(putSimulatedMonitorBeside(folder / L"Vantrel.exe"));
    {
        const WinProgramUnderTest program(L"", (folder / L"Vantrel.exe").wstring());
        const HWND window = awaitMainWindow(program);
        ASSERT_NE(window, nullptr) << "the unpacked program showed no window";
        EXPECT_EQ(listedMonitors(window), 2);
        EXPECT_EQ(exitThroughTray(program), 0u);
    }

    EXPECT_THAT(filesBelow(folder / L"Data"), testing::Contains(L"monitors.vt")) << "no settings in Data";
    EXPECT_EQ(vantrelTracesInTheUserProfile(), std::vector<std::wstring>{});

    std::filesystem::remove_all(folder.parent_path(), error);
}
