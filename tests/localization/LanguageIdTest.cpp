#include "localization/LanguageId.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct IdCase {
    std::wstring text;
    int id;
};

class LanguageIdTexts : public testing::TestWithParam<IdCase> {};

TEST_P(LanguageIdTexts, ReadsHexadecimalAsScanfDoes)
{
    EXPECT_EQ(parseLanguageId(GetParam().text), GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageIdTexts,
                         testing::Values(IdCase{L"407", 0x407}, IdCase{L"0407", 0x407}, IdCase{L"0x807", 0x807},
                                         IdCase{L"0X80c", 0x80C}, IdCase{L"  \t40C", 0x40C},
                                         IdCase{L"409 English", 0x409}, IdCase{L"4O9", 4}, IdCase{L"+41d", 0x41D},
                                         IdCase{L"-1", -1}, IdCase{L"0x", 0}, IdCase{L"0xg", 0}, IdCase{L"", 0},
                                         IdCase{L"German", 0}, IdCase{L"ffffffff", -1},
                                         IdCase{L"123456789abcdef", -1}));

struct MatchCase {
    int fileId;
    int userId;
    bool same;
};

class LanguageIdMatches : public testing::TestWithParam<MatchCase> {};

TEST_P(LanguageIdMatches, ComparesThePrimaryLanguageOnly)
{
    EXPECT_EQ(samePrimaryLanguage(GetParam().fileId, GetParam().userId), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageIdMatches,
                         testing::Values(MatchCase{0x807, 0x407, true}, MatchCase{0x407, 0x407, true},
                                         MatchCase{0xC07, 0x407, true}, MatchCase{0x409, 0x407, false},
                                         MatchCase{0x809, 0x409, true}, MatchCase{0x40C, 0x407, false},
                                         // Missing on either side: no match, not "both unknown".
                                         MatchCase{0, 0, false}, MatchCase{0x400, 0x400, false},
                                         MatchCase{0x407, 0, false}, MatchCase{0, 0x407, false}));

} // namespace
