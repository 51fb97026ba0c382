#include "localization/LanguageFileLines.h"

#include "localization/LanguageFileBytes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace LanguageFileBytes;

std::vector<std::wstring> linesOf(const std::string& bytes)
{
    std::stringbuf buffer(bytes);
    LanguageFileDecoder decoder(buffer);
    LanguageFileLines lines(decoder);
    std::vector<std::wstring> found;
    while (std::optional<std::wstring> line = lines.next())
        found.push_back(*line);
    return found;
}

constexpr std::size_t partLength = LanguageFileLines::maxPartLength;

struct LinesCase {
    const char* what;
    std::string bytes;
    std::vector<std::wstring> lines;
};

class LanguageFileLinesCases : public testing::TestWithParam<LinesCase> {};

TEST_P(LanguageFileLinesCases, GivesTheLinesThatCount)
{
    EXPECT_EQ(linesOf(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageFileLinesCases,
    testing::Values(
        LinesCase{"lineFeeds", "one\ntwo\n", {L"one", L"two"}},
        LinesCase{"lastLineWithoutLineFeed", "one\ntwo", {L"one", L"two"}},
        LinesCase{"crLfIsOneBreak", "one\r\ntwo\r\n", {L"one", L"two"}},
        // Only a carriage return right before a line feed goes.
        LinesCase{"loneCarriageReturnStays", "a\rb\r\r\nc\r", {L"a\rb\r", L"c\r"}},
        LinesCase{"emptyLinesSkipped", "\n\r\none\n\n\ntwo\n\n", {L"one", L"two"}},
        LinesCase{"commentsSkipped", ";first\none\n ;not a comment\n;\n", {L"one", L" ;not a comment"}},
        LinesCase{"blankIsNotEmpty", " \n", {L" "}},
        LinesCase{"crLfInUtf16", utf16(U"one\r\ntwo", false), {L"one", L"two"}},
        LinesCase{"crLfInUtf16BigEndian", utf16(U";c\r\none\r\n", true), {L"one"}},
        LinesCase{"nothing", "", {}}),
    [](const testing::TestParamInfo<LinesCase>& info) { return info.param.what; });

struct LongLineCase {
    const char* what;
    std::size_t length;
    std::vector<std::size_t> parts;
};

class LanguageFileLongLines : public testing::TestWithParam<LongLineCase> {};

// A long line comes in parts of the buffer's length; a line that fills the
// buffer exactly leaves only its line feed for the next read, an empty line.
TEST_P(LanguageFileLongLines, SplitsIntoPartsOfTheBufferLength)
{
    const std::string line(GetParam().length, 'x');
    const std::vector<std::wstring> lines = linesOf(line + "\r\nnext\n");
    std::vector<std::wstring> expected;
    for (const std::size_t part : GetParam().parts)
        expected.push_back(std::wstring(part, L'x'));
    expected.push_back(L"next");
    EXPECT_EQ(lines, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageFileLongLines,
                         testing::Values(LongLineCase{"justBelow", partLength - 1, {partLength - 1}},
                                         LongLineCase{"exactly", partLength, {partLength}},
                                         LongLineCase{"oneMore", partLength + 1, {partLength, 1}},
                                         LongLineCase{"twoAndABit", 2 * partLength + 7, {partLength, partLength, 7}}),
                         [](const testing::TestParamInfo<LongLineCase>& info) { return info.param.what; });

TEST(LanguageFileLines, APartOfALongLineThatStartsWithASemicolonIsAComment)
{
    const std::string line = std::string(partLength, 'x') + ";rest";
    EXPECT_EQ(linesOf(line + "\nnext"), (std::vector<std::wstring>{std::wstring(partLength, L'x'), L"next"}));
}

TEST(LanguageFileLines, APartNeverEndsInsideASurrogatePair)
{
    const std::u32string line = std::u32string(partLength - 1, U'x') + U"\U0001F600" + U"y";
    const std::vector<std::wstring> lines = linesOf(utf8WithBom(line));
    std::wstring joined;
    for (const std::wstring& part : lines) {
        EXPECT_LE(part.size(), partLength);
        joined += part;
    }
    EXPECT_EQ(joined, wide(line));
    ASSERT_EQ(lines.size(), 2u);
    // Where the character takes two units it does not fit the first part.
    if (sizeof(wchar_t) == 2) {
        EXPECT_EQ(lines[0], std::wstring(partLength - 1, L'x'));
    }
}

TEST(LanguageFileLines, AHugeLineWithoutBreaksComesInBoundedParts)
{
    const std::string line(1'000'000, 'x');
    const std::vector<std::wstring> lines = linesOf(line);
    ASSERT_EQ(lines.size(), (line.size() + partLength - 1) / partLength);
    EXPECT_EQ(lines.back().size(), line.size() % partLength);
}

} // namespace
