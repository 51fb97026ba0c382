#include "system/kelProgramSwitches.h"

#include "system/FakeCommandLineLookup.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

void PrintTo(const kelProgramSwitch& entry, std::ostream* out)
{
    *out << "{" << testing::PrintToString(entry.name) << ", " << testing::PrintToString(entry.value) << "}";
}

namespace {

struct SwitchesCase {
    const char* label;
    std::wstring commandLine;
    bool expectedResult;
    kelProgramSwitches expected;
};

class ProgramSwitches : public testing::TestWithParam<SwitchesCase> {};

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ProgramSwitches,
    testing::Values(
        SwitchesCase{"Autorun", L"\"C:\\Program Files\\Vantrel\\Vantrel.exe\" -autorun", true, {{L"autorun", L""}}},
        SwitchesCase{"NameAndValue", L"Vantrel.exe /lang=de", true, {{L"lang", L"de"}}},
        SwitchesCase{"SwitchThenLoneValue", L"Vantrel.exe -x value", true, {{L"x", L""}, {L"", L"value"}}},
        SwitchesCase{"BlanksAroundTheEqualSign", L"Vantrel.exe /lang = de -y", true, {{L"lang", L"de"}, {L"y", L""}}},
        SwitchesCase{"QuotedValues", L"Vantrel.exe -name=\"a b\" -o='c d'' rest", true,
                     {{L"name", L"a b"}, {L"o", L"c d"}, {L"", L"rest"}}},
        SwitchesCase{"QuotedValueNeverClosed", L"Vantrel.exe -name=\"a b", true, {{L"name", L"a b"}}},
        SwitchesCase{"LineBreaksSeparate", L"Vantrel.exe \r\n-a\r\n-b=1\r\nc\r\n", true,
                     {{L"a", L""}, {L"b", L"1"}, {L"", L"c"}}},
        SwitchesCase{"EqualSignAtTheEnd", L"Vantrel.exe -a=", true, {{L"a", L""}}},
        SwitchesCase{"EmptyPairsAreDropped", L"Vantrel.exe - \"\" -- x", true, {{L"-", L""}, {L"", L"x"}}},
        SwitchesCase{"UnquotedProgramPathEndsAtItsFirstBlank", L"C:\\Program Files\\Vantrel.exe -autorun", true,
                     {{L"", L"Files\\Vantrel.exe"}, {L"autorun", L""}}},
        SwitchesCase{"ProgramQuoteNeverClosed", L"\"C:\\Vantrel.exe -autorun", false, {}},
        SwitchesCase{"NoSwitches", L"\"C:\\Vantrel.exe\"", true, {}},
        SwitchesCase{"EmptyLine", L"", true, {}}),
    [](const testing::TestParamInfo<SwitchesCase>& info) { return std::string(info.param.label); });

} // namespace

TEST_P(ProgramSwitches, ReadsPairsInCommandLineOrder)
{
    const SwitchesCase& c = GetParam();
    kelProgramSwitches switches{{L"left over", L"from before"}};
    EXPECT_EQ(parseSwitches(c.commandLine, switches), c.expectedResult);
    EXPECT_EQ(switches, c.expected);
}

TEST(ProgramSwitches, AutorunStartNeedsASwitchNamedExactlyAutorun)
{
    EXPECT_TRUE(isAutorunStart({{L"lang", L"de"}, {L"autorun", L""}}));
    EXPECT_TRUE(isAutorunStart({{L"autorun", L"yes"}}));
    EXPECT_FALSE(isAutorunStart({{L"Autorun", L""}}));
    EXPECT_FALSE(isAutorunStart({{L"autorunx", L""}}));
    EXPECT_FALSE(isAutorunStart({{L"", L"autorun"}}));
    EXPECT_FALSE(isAutorunStart({}));
}

// The command written for a start with Windows is read as one by the program
// it starts, wherever the program lies.
TEST(ProgramSwitches, AutorunCommandLineMakesAnAutorunStart)
{
    for (const std::wstring path : {L"C:\\Program Files\\Vantrel\\Vantrel.exe", L"D:\\Vantrel.exe"}) {
        const std::wstring text = autorunCommandLine(path).toString();
        EXPECT_EQ(text, L"\"" + path + L"\" -autorun");
        kelProgramSwitches switches;
        ASSERT_TRUE(parseSwitches(text, switches));
        EXPECT_TRUE(isAutorunStart(switches)) << text;
        EXPECT_EQ(switches.size(), 1u);
    }
}
