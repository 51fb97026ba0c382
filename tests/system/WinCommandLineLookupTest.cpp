#include "support/ScratchFolder.h"
#include "system/kelCommandLine.h"
#include "system/kelWinCommandLineLookup.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A folder with a blank in its name holding two empty program files, in a
// scratch folder of the test's own, removed afterwards.
class WinCommandLineLookup : public testing::Test {
protected:
    void SetUp() override
    {
        folder = (scratch.path() / L"vantrel command line").wstring();
        std::filesystem::create_directories(std::filesystem::path(folder));
        for (const wchar_t* name : {L"\\tool.exe", L"\\plain"})
            std::ofstream(std::filesystem::path(folder + name)) << "x";
    }
    kelCommandLine parsed(const std::wstring& text) const
    {
        kelCommandLine line;
        line.parse(text, lookup);
        return line;
    }

    const ScratchFolder scratch;
    std::wstring folder;
    kelWinCommandLineLookup lookup;
};

std::wstring lowerCase(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towlower(c));
    return text;
}

} // namespace

TEST_F(WinCommandLineLookup, UnquotedPathsWithBlanksEndWhereAFileIs)
{
    const struct {
        std::wstring text;
        std::wstring expectedProgram;
    } cases[] = {
        {folder + L"\\tool -x", folder + L"\\tool"},
        {folder + L"\\tool.exe -x", folder + L"\\tool.exe"},
        {folder + L"\\plain -x", folder + L"\\plain"},
    };
    for (const auto& c : cases) {
        const kelCommandLine line = parsed(c.text);
        EXPECT_EQ(line.program(), c.expectedProgram) << c.text;
        EXPECT_EQ(line.arguments(), L"-x") << c.text;
    }
}

TEST_F(WinCommandLineLookup, AFolderIsNoProgramFile)
{
    EXPECT_TRUE(lookup.isFile(folder + L"\\plain"));
    EXPECT_FALSE(lookup.isFile(folder));
    EXPECT_FALSE(lookup.isFile(folder + L"\\missing"));
}

TEST_F(WinCommandLineLookup, AProgramOnTheSearchPathGetsItsFullPath)
{
    const kelCommandLine line = parsed(L"cmd /c echo");
    EXPECT_EQ(lowerCase(line.program()).substr(1), L":\\windows\\system32\\cmd.exe");
    EXPECT_EQ(line.arguments(), L"/c echo");
}

TEST_F(WinCommandLineLookup, EnvironmentVariablesAreExpanded)
{
    ASSERT_TRUE(SetEnvironmentVariableW(L"VANTREL_TEST_FOLDER", folder.c_str()));
    const kelCommandLine line = parsed(L"%VANTREL_TEST_FOLDER%\\tool.exe -x");
    SetEnvironmentVariableW(L"VANTREL_TEST_FOLDER", nullptr);
    EXPECT_EQ(line.program(), folder + L"\\tool.exe");
    EXPECT_EQ(line.arguments(), L"-x");
}

// Another program's command line may be thousands of characters long and
// hold a "%" that names no variable, as an address with %20 does.
TEST_F(WinCommandLineLookup, ALongLineWithAPercentSignKeepsAllOfItsText)
{
    const std::wstring arguments = L"https://vantrel.example/a%20b?q=" + std::wstring(3000, L'q') + L" %1";
    const kelCommandLine line = parsed(L"\"" + folder + L"\\tool.exe\" " + arguments);
    EXPECT_EQ(line.program(), folder + L"\\tool.exe");
    EXPECT_EQ(line.arguments(), arguments);
}
