#include "system/kelAppVersion.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using Part = kelAppVersion::Part;

struct VersionCase {
    const char* label;
    std::wstring text;
    bool expectedResult;
    std::vector<Part> expectedParts;
    std::wstring expectedSuffix;
    std::wstring expectedText;
};

class AppVersionParse : public testing::TestWithParam<VersionCase> {};

INSTANTIATE_TEST_SUITE_P(
    Texts, AppVersionParse,
    testing::Values(
        VersionCase{"TrailingZerosDropped", L"1.4.0.0", true, {{1, 0}, {4, 0}}, L"", L"1.4"},
        VersionCase{"LeadingZerosKept", L"1.04.2", true, {{1, 0}, {4, 1}, {2, 0}}, L"", L"1.04.2"},
        VersionCase{"VAndSuffix", L"V2.3 beta", true, {{2, 0}, {3, 0}}, L"beta", L"2.3beta"},
        VersionCase{"CommasAndBlanks", L"1, 8, 0, 0", true, {{1, 0}, {8, 0}}, L"", L"1.8"},
        VersionCase{"ThreePartsKeptButPrintedShort", L"1.4.0", true, {{1, 0}, {4, 0}, {0, 0}}, L"", L"1.4"},
        VersionCase{"ZeroInTheMiddleStays", L"1.0.0.5", true, {{1, 0}, {0, 0}, {0, 0}, {5, 0}}, L"", L"1.0.0.5"},
        VersionCase{"TwoZerosStay", L"1.0.0.0", true, {{1, 0}, {0, 0}}, L"", L"1.0"},
        VersionCase{"ZeroWithLeadingZero", L"1.00", true, {{1, 0}, {0, 1}}, L"", L"1.00"},
        VersionCase{"BlanksAroundAndLowerV", L"  v10.20.30.40  ", true, {{10, 0}, {20, 0}, {30, 0}, {40, 0}}, L"",
                    L"10.20.30.40"},
        VersionCase{"LeadingDateSkipped", L"12/31/2020  3.5", true, {{3, 0}, {5, 0}}, L"", L"3.5"},
        VersionCase{"SuffixWithoutBlank", L"4.1rc2 ", true, {{4, 0}, {1, 0}}, L"rc2", L"4.1rc2"},
        VersionCase{"LargestNumber", L"2147483647.1", true, {{INT_MAX, 0}, {1, 0}}, L"", L"2147483647.1"},
        VersionCase{"NumberTooLarge", L"2147483648.1", false, {}, L"", L""},
        VersionCase{"NumberTooLargeLater", L"1.2.99999999999", false, {}, L"", L""},
        VersionCase{"HalfADateIsNoDate", L"12/31 3.5", false, {{12, 0}}, L"", L"12"},
        VersionCase{"OneNumber", L"7", false, {{7, 0}}, L"", L"7"},
        VersionCase{"NoNumber", L"beta", false, {}, L"", L""},
        VersionCase{"Empty", L"", false, {}, L"", L""}),
    [](const testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.label); });

} // namespace

TEST_P(AppVersionParse, ReadsNumbersAndSuffix)
{
    const VersionCase& c = GetParam();
    kelAppVersion version{9, 9};
    version.suffix = L"old";
    EXPECT_EQ(version.parse(c.text), c.expectedResult);
    EXPECT_EQ(version.parts, c.expectedParts);
    EXPECT_EQ(version.suffix, c.expectedSuffix);
    EXPECT_EQ(version.toString(), c.expectedText);
}

TEST(AppVersion, NumbersOfAResourceDropTrailingZerosLikeText)
{
    EXPECT_EQ((kelAppVersion{1, 8, 0, 0}.parts), (std::vector<Part>{{1, 0}, {8, 0}}));
    EXPECT_EQ((kelAppVersion{1, 0, 0, 5}.toString()), L"1.0.0.5");
    EXPECT_EQ((kelAppVersion{0, 1, 2, 0}.toString()), L"0.1.2");
    EXPECT_EQ(kelAppVersion().toString(), L"");
}
