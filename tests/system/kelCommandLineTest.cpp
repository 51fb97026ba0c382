#include "persistence/MemoryTreeStream.h"
#include "system/FakeCommandLineLookup.h"
#include "system/kelCommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ParseCase {
    const char* label;
    std::wstring text;
    std::wstring expectedProgram;
    std::wstring expectedArguments;
};

// Files and search results of the machine every case runs on.
FakeCommandLineLookup machine()
{
    FakeCommandLineLookup lookup;
    lookup.files = {L"C:\\My Tools\\tool", L"C:\\My Tools\\runner.exe", L"C:\\Program Files\\Vantrel\\Vantrel.exe"};
    lookup.searchPathFinds = {{L"notepad", L"C:\\windows\\notepad.exe"},
                              {L"C:tool.exe", L"C:\\elsewhere\\tool.exe"}};
    lookup.environment = {{L"ProgramFiles", L"C:\\Program Files"}};
    return lookup;
}

class CommandLineParse : public testing::TestWithParam<ParseCase> {};

INSTANTIATE_TEST_SUITE_P(
    Texts, CommandLineParse,
    testing::Values(
        ParseCase{"UnquotedPathUnderFolderWithBlank", L"C:\\My Tools\\tool -x", L"C:\\My Tools\\tool", L"-x"},
        ParseCase{"UnquotedPathThatExistsWithExe", L"C:\\My Tools\\runner -x", L"C:\\My Tools\\runner", L"-x"},
        ParseCase{"UnquotedPathEndingInExe", L"C:\\Other Place\\app.EXE  /a  b  ", L"C:\\Other Place\\app.EXE",
                  L"/a  b"},
        ParseCase{"FoundOnTheSearchPath", L"notepad file.txt", L"C:\\windows\\notepad.exe", L"file.txt"},
        ParseCase{"DriveRelativePathIsNotSearched", L"C:tool.exe x", L"C:tool.exe", L"x"},
        ParseCase{"NothingFoundTakesTheWholeText", L"C:\\a b c", L"C:\\a b c", L""},
        ParseCase{"TrailingBlanksAreNotPartOfTheProgram", L"C:\\a b  ", L"C:\\a b", L""},
        ParseCase{"QuotedPath", L"\"C:\\Program Files\\A\\a.exe\"   -x  -y  ", L"C:\\Program Files\\A\\a.exe",
                  L"-x  -y"},
        ParseCase{"QuotedPathAfterBlanks", L"  \"C:\\A\\a.exe\" -x", L"C:\\A\\a.exe", L"-x"},
        ParseCase{"QuotedPathNeverClosed", L"\"C:\\Program Files\\A\\a.exe -x", L"", L""},
        ParseCase{"EnvironmentExpandedFirst", L"%ProgramFiles%\\Vantrel\\Vantrel.exe -autorun",
                  L"C:\\Program Files\\Vantrel\\Vantrel.exe", L"-autorun"}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.label); });

} // namespace

TEST_P(CommandLineParse, SplitsProgramAndArguments)
{
    const ParseCase& c = GetParam();
    kelCommandLine line(L"old.exe", L"old arguments");
    line.parse(c.text, machine());
    EXPECT_EQ(line.program(), c.expectedProgram);
    EXPECT_EQ(line.arguments(), c.expectedArguments);
}

TEST(CommandLine, EmptyTextChangesNothing)
{
    kelCommandLine line(L"C:\\a.exe", L"-x");
    line.parse(L"", machine());
    EXPECT_EQ(line.program(), L"C:\\a.exe");
    EXPECT_EQ(line.arguments(), L"-x");
}

TEST(CommandLine, TextFormQuotesTheProgramOnlyBeforeArguments)
{
    const struct {
        std::wstring program;
        std::wstring arguments;
        std::wstring expected;
    } cases[] = {
        {L"C:\\Program Files\\Vantrel\\Vantrel.exe", L"-autorun", L"\"C:\\Program Files\\Vantrel\\Vantrel.exe\" -autorun"},
        {L"C:\\Program Files\\Vantrel\\Vantrel.exe", L"", L"C:\\Program Files\\Vantrel\\Vantrel.exe"},
        {L"", L"-autorun", L""},
        {L"", L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kelCommandLine(c.program, c.arguments).toString(), c.expected) << c.program << L" | " << c.arguments;
}

TEST(CommandLine, TextFormParsesBackToTheSameProgramAndArguments)
{
    const kelCommandLine original(L"C:\\Program Files\\Vantrel\\Vantrel.exe", L"-autorun /lang=de");
    kelCommandLine parsed;
    parsed.parse(original.toString(), FakeCommandLineLookup());
    EXPECT_EQ(parsed.program(), original.program());
    EXPECT_EQ(parsed.arguments(), original.arguments());
}

// The platform starts no command line longer than its 32768-character buffer
// holds; a text form that long is refused rather than cut.
TEST(CommandLine, TextFormLongerThanTheCommandLineLimitIsRefused)
{
    const std::wstring program = L"C:\\p.exe";
    const std::size_t quotesAndBlank = 3;
    const std::size_t fitting = kelCommandLine::maxTextLength - program.size() - quotesAndBlank;
    ASSERT_EQ(kelCommandLine::maxTextLength, 32767u);

    const std::wstring longest = kelCommandLine(program, std::wstring(fitting, L'a')).toString();
    EXPECT_EQ(longest.size(), kelCommandLine::maxTextLength);
    EXPECT_EQ(longest.substr(0, 12), L"\"C:\\p.exe\" a");

    EXPECT_EQ(kelCommandLine(program, std::wstring(fitting + 1, L'a')).toString(), L"");
    EXPECT_EQ(kelCommandLine(std::wstring(kelCommandLine::maxTextLength + 1, L'p'), L"").toString(), L"");
    EXPECT_EQ(kelCommandLine(std::wstring(kelCommandLine::maxTextLength, L'p'), L"").toString().size(),
              kelCommandLine::maxTextLength);
}

TEST(CommandLine, StoredAsTwoAttributes)
{
    kelCommandLine line(L"C:\\Program Files\\Vantrel\\Vantrel.exe", L"-autorun");
    MemoryTreeStream tree;
    ASSERT_TRUE(line.save(tree));
    EXPECT_EQ(tree.value(L"cmdlineEXE"), L"C:\\Program Files\\Vantrel\\Vantrel.exe");
    EXPECT_EQ(tree.value(L"cmdlineArgs"), L"-autorun");

    kelCommandLine loaded;
    ASSERT_TRUE(loaded.load(tree));
    EXPECT_EQ(loaded.program(), line.program());
    EXPECT_EQ(loaded.arguments(), line.arguments());
}

TEST(CommandLine, ReadingWithoutEitherValueFailsAndChangesNothing)
{
    for (const wchar_t* present : {L"cmdlineEXE", L"cmdlineArgs"}) {
        MemoryTreeStream tree;
        tree.writeValue(present, L"stored", true);
        kelCommandLine line(L"C:\\kept.exe", L"kept");
        EXPECT_FALSE(line.load(tree)) << present;
        EXPECT_EQ(line.program(), L"C:\\kept.exe");
        EXPECT_EQ(line.arguments(), L"kept");
    }
}
