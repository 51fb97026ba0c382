#include "persistence/kelUtf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::wstring replacement = L"\ufffd";

} // namespace

TEST(kelUtf8Test, ValidTextRoundTrips)
{
    struct Case {
        std::wstring wide;
        std::string utf8;
    };
    const Case cases[] = {
        {L"", ""},
        {L"plain", "plain"},
        {L"\u007f\u0080\u07ff\u0800\uffff", "\x7f\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf"},
        {L"\u00e9t\u00e9", "\xc3\xa9t\xc3\xa9"},
        {L"\U00010000\U0010FFFF", "\xf0\x90\x80\x80\xf4\x8f\xbf\xbf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kelWideToUtf8(c.wide), c.utf8) << c.utf8;
        EXPECT_EQ(kelUtf8ToWide(c.utf8), c.wide) << c.utf8;
    }
}

TEST(kelUtf8Test, SurrogatePairUnitsCombineWhateverTheWidthOfWchar)
{
    const std::wstring units = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    EXPECT_EQ(kelWideToUtf8(units), "\xf0\x9f\x98\x80");
}

TEST(kelUtf8Test, ConversionStopsAtTheFirstNul)
{
    EXPECT_EQ(kelWideToUtf8(std::wstring(L"ab\0cd", 5)), "ab");
    EXPECT_EQ(kelUtf8ToWide(std::string("ab\0cd", 5)), L"ab");
}

TEST(kelUtf8Test, InvalidWideUnitsBecomeTheReplacementCharacter)
{
    const std::string replaced = "\xef\xbf\xbd";
    const wchar_t high = static_cast<wchar_t>(0xD800);
    const wchar_t low = static_cast<wchar_t>(0xDC00);
    EXPECT_EQ(kelWideToUtf8(std::wstring{high}), replaced);
    EXPECT_EQ(kelWideToUtf8(std::wstring{low, high}), replaced + replaced);
    EXPECT_EQ(kelWideToUtf8(std::wstring{high, L'a'}), replaced + "a");
    if constexpr (sizeof(wchar_t) == 4) {
        EXPECT_EQ(kelWideToUtf8(std::wstring{static_cast<wchar_t>(0x110000)}), replaced);
        EXPECT_EQ(kelWideToUtf8(std::wstring{static_cast<wchar_t>(-1)}), replaced);
    }
}

TEST(kelUtf8Test, MalformedUtf8BecomesTheReplacementCharacter)
{
    const std::wstring r = replacement;
    struct Case {
        std::string utf8;
        std::wstring wide;
    };
    const Case cases[] = {
        {"\x80", r},                          // stray continuation byte
        {"\xc3", r},                          // truncated at the end
        {"\xe2\x82" "A", r + L"A"},            // truncated before another character
        {"\xc0\xaf", r + r},                  // overlong slash
        {"\xe0\x80\xaf", r + r + r},          // overlong three-byte form
        {"\xed\xa0\x80", r + r + r},          // encoded surrogate
        {"\xf4\x90\x80\x80", r + r + r + r},  // beyond U+10FFFF
        {"\xf8\x88\x80\x80\x80", r + r + r + r + r},
        {"\xff" "a\xfe", r + L"a" + r},
        {std::string("\xc3\0\xa9", 3), r},    // NUL inside a sequence still ends the text
    };
    for (const auto& c : cases)
        EXPECT_EQ(kelUtf8ToWide(c.utf8), c.wide);
}
