// Reading program files for real: version information and icons of the
// test programs, one of them damaged on purpose.
#include "automation/WinProgramFiles.h"

#include "automation/WinIconFiles.h"
#include "e2e/WinProgramUnderTest.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>

namespace {

std::wstring builtFile(const std::wstring& name)
{
    return WinProgramUnderTest::testFolder() + L"\\" + name;
}

// The files the extraction may leave in the temporary folder.
std::set<std::wstring> temporaryFiles()
{
    std::set<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path(), error)) {
        const std::wstring name = entry.path().filename().wstring();
        if (name.rfind(L"tmp", 0) == 0)
            names.insert(name);
    }
    return names;
}

// A file that exists only for one test.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& bytes)
        : path((std::filesystem::temp_directory_path() /
                (L"vantrel-program-" + std::to_wstring(GetCurrentProcessId()) + L".exe"))
                   .wstring())
    {
        std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    }
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    const std::wstring path;
};

std::string bytesOf(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(WinProgramFiles, TheProductNameComesFromTheVersionInformation)
{
    WinProgramFiles programs;
    EXPECT_EQ(programs.productName(builtFile(L"vantrel_testapp.exe")), L"Vantrel Test Application");
    EXPECT_EQ(programs.productName(builtFile(L"vantrel_driver.exe")), L"") << "no version information";
    EXPECT_EQ(programs.productName(builtFile(L"no such program.exe")), L"");
}

TEST(WinProgramFiles, TheFirstIconGroupBecomesAnIcoFileThatLoads)
{
    WinProgramFiles programs;
    const auto extracted = programs.extractIcon(builtFile(L"vantrel_testapp.exe"));
    ASSERT_TRUE(extracted);
    EXPECT_EQ(extracted->icoPath.substr(extracted->icoPath.size() - 4), L".ico");
    EXPECT_EQ(extracted->icoPath.substr(0, extracted->icoPath.size() - 4),
              extracted->reservedPath.substr(0, extracted->reservedPath.size() - 4));
    EXPECT_EQ(std::filesystem::path(extracted->reservedPath).filename().wstring().rfind(L"tmp", 0), 0u);
    const std::string ico = bytesOf(extracted->icoPath);
    ASSERT_GE(ico.size(), 22u);
    EXPECT_EQ(ico.substr(0, 4), std::string("\0\0\1\0", 4));

    WinIconFiles files;
    for (const int size : {16, 32, 48}) {
        const IconHandle icon = files.loadIcon(extracted->icoPath, size, size);
        EXPECT_NE(icon, nullptr) << size;
        ICONINFO information{};
        if (icon && GetIconInfo(icon, &information)) {
            BITMAP bitmap{};
            GetObjectW(information.hbmMask, sizeof bitmap, &bitmap);
            EXPECT_EQ(bitmap.bmWidth, size);
            DeleteObject(information.hbmMask);
            if (information.hbmColor)
                DeleteObject(information.hbmColor);
        }
        files.destroyIcon(icon);
    }
    files.remove(extracted->icoPath);
    files.remove(extracted->reservedPath);
}

TEST(WinProgramFiles, ProgramsWithoutAUsableIconGroupLeaveNoFilesBehind)
{
    const std::string program = bytesOf(builtFile(L"vantrel_testapp.exe"));
    ASSERT_GT(program.size(), 4096u);
    const ScratchFile truncated(program.substr(0, program.size() - 2048));
    const ScratchFile headerOnly(program.substr(0, 1024));
    const auto before = temporaryFiles();
    WinProgramFiles programs;
    for (const std::wstring& path : {builtFile(L"vantrel_driver.exe"), builtFile(L"vantrel_badicons.exe"),
                                     builtFile(L"no such program.exe"), truncated.path, headerOnly.path}) {
        SCOPED_TRACE(::testing::Message() << std::filesystem::path(path).filename().string());
        EXPECT_FALSE(programs.extractIcon(path));
    }
    EXPECT_EQ(temporaryFiles(), before);
}

} // namespace
