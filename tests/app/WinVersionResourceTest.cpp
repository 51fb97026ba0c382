#include "app/WinReferralLink.h"
#include "program/VtProductVersion.h"
#include "support/ScratchFolder.h"
#include "system/kelRunningAppVersionInfo.h"
#include "system/kelWinRunningExecutable.h"
#include "system/kelWinVersionResource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::wstring widened(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

// The short form of the product version the build gave the resource.
std::wstring expectedShortVersion()
{
    std::wstring text = std::to_wstring(VANTREL_VERSION_MAJOR) + L"." + std::to_wstring(VANTREL_VERSION_MINOR);
    if (VANTREL_VERSION_PATCH != 0)
        text += L"." + std::to_wstring(VANTREL_VERSION_PATCH);
    return text;
}

std::wstring besideTheTests(const std::wstring& name)
{
    const std::wstring path = kelRunningExecutablePath();
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

void expectVantrelResource(const kelBinaryFileVersionInfo& info)
{
    EXPECT_EQ(info.productName, L"Vantrel");
    EXPECT_EQ(info.companyName, L"Vantrel Software");
    EXPECT_EQ(info.productVersionText, widened(VANTREL_VERSION_TEXT));
    EXPECT_EQ(info.fileVersionText, widened(VANTREL_VERSION_TEXT));
    EXPECT_EQ(info.productVersion.toString(), expectedShortVersion());
    EXPECT_EQ(info.fileVersion.toString(), expectedShortVersion());
}

} // namespace

// The tests carry the program's resources, so the running executable's
// version is the product's.
TEST(WinVersionResource, TheRunningProgramReadsTheProductVersionItCarries)
{
    const kelRunningAppVersionInfo running{kelWinVersionResourceReader()};
    expectVantrelResource(running);
}

TEST(WinVersionResource, VantrelExeCarriesTheProductVersion)
{
    kelBinaryFileVersionInfo info;
    ASSERT_TRUE(info.read(besideTheTests(L"Vantrel.exe"), kelWinVersionResourceReader()));
    expectVantrelResource(info);
    EXPECT_EQ(info.originalFilename, L"Vantrel.exe");
}

TEST(WinVersionResource, FilesWithoutAVersionResourceLeaveEverythingEmpty)
{
    const ScratchFolder folder;
    const std::wstring notAProgram = folder.file("not-a-program.exe").wstring();
    {
        std::ofstream file(std::filesystem::path(notAProgram), std::ios::binary);
        file << "MZ but nothing else";
    }
    for (const std::wstring& path : {notAProgram, besideTheTests(L"no-such-file.exe")}) {
        kelBinaryFileVersionInfo info;
        EXPECT_FALSE(info.read(path, kelWinVersionResourceReader()));
        EXPECT_EQ(info.productName, L"");
        EXPECT_EQ(info.productVersion.toString(), L"");
    }
}

TEST(WinVersionResource, ReferralLinksCarryTheRunningProductVersion)
{
    std::wstring encodedVersion = expectedShortVersion();
    for (auto dot = encodedVersion.find(L'.'); dot != std::wstring::npos; dot = encodedVersion.find(L'.', dot))
        encodedVersion.replace(dot, 1, L"%2E");
    EXPECT_EQ(referralLink(L"https://vantrel.example/"),
              L"https://vantrel.example/?ref=VTL&version=" + encodedVersion);
}
