#include "localization/LanguageFile.h"

#include "localization/LanguageFileBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace LanguageFileBytes;
using Extent = LanguageFileContent::Extent;

const std::string marker = "{346C8741-79A9-4355-8129-A227067C9AD7}";

TEST(LanguageFileContent, ReadsHeaderAndStringsInFileOrder)
{
    const LanguageFileContent content =
        parse(utf8WithBom(U"German\nDeutsch\n407\n" + std::u32string(marker.begin(), marker.end()) +
                          U"\nProfil\nHelligkeit\n"));
    EXPECT_EQ(content.name, L"German");
    EXPECT_EQ(content.nativeName, L"Deutsch");
    EXPECT_EQ(content.languageId, 0x407);
    EXPECT_EQ(content.strings, (std::vector<std::wstring>{L"Profil", L"Helligkeit"}));
}

TEST(LanguageFileContent, CommentsAndBlankLinesBeforeTheHeaderAreSkipped)
{
    const LanguageFileContent content =
        parse("; a translation\n\n;\r\n\r\nFrench\n; between\nFrancais\n\n40c\n" + marker + "\n;c\nProfil\n\nOui\n");
    EXPECT_EQ(content.name, L"French");
    EXPECT_EQ(content.nativeName, L"Francais");
    EXPECT_EQ(content.languageId, 0x40c);
    EXPECT_EQ(content.strings, (std::vector<std::wstring>{L"Profil", L"Oui"}));
}

TEST(LanguageFileContent, AnEarlyMarkerEndsTheHeaderWithTheRestEmpty)
{
    const LanguageFileContent content = parse("Klingon\n" + marker + "\nfirst\n");
    EXPECT_EQ(content.name, L"Klingon");
    EXPECT_EQ(content.nativeName, L"");
    EXPECT_EQ(content.languageId, 0);
    EXPECT_EQ(content.strings, std::vector<std::wstring>{L"first"});
}

TEST(LanguageFileContent, AMarkerFirstGivesANamelessFile)
{
    const LanguageFileContent content = parse(marker + "\nfirst\n");
    EXPECT_EQ(content.name, L"");
    EXPECT_EQ(content.strings, std::vector<std::wstring>{L"first"});
}

TEST(LanguageFileContent, LinesBetweenTheIdAndTheMarkerAreIgnored)
{
    const LanguageFileContent content = parse("Dutch\nNederlands\n413\nstray\nmore\n" + marker + "\nProfiel\n");
    EXPECT_EQ(content.languageId, 0x413);
    EXPECT_EQ(content.strings, std::vector<std::wstring>{L"Profiel"});
}

TEST(LanguageFileContent, WithoutAMarkerThereAreNoStrings)
{
    const LanguageFileContent content = parse("Dutch\nNederlands\n413\nProfiel\nHelderheid\n");
    EXPECT_EQ(content.name, L"Dutch");
    EXPECT_TRUE(content.strings.empty());
}

TEST(LanguageFileContent, OnlyTheExactMarkerLineEndsTheHeader)
{
    const LanguageFileContent content =
        parse("Dutch\nNederlands\n413\n" + marker + " \n{346c8741-79a9-4355-8129-a227067c9ad7}\n" + marker +
              "\nProfiel\n" + marker + "\n");
    // A marker after the header is an ordinary string.
    EXPECT_EQ(content.strings, (std::vector<std::wstring>{L"Profiel", std::wstring(marker.begin(), marker.end())}));
}

TEST(LanguageFileContent, AHeaderOnlyReadStopsAfterTheMarker)
{
    const std::string bytes = "Dutch\nNederlands\n413\n" + marker + "\nProfiel\n";
    const LanguageFileContent header = parse(bytes, Extent::HeaderOnly);
    EXPECT_EQ(header.name, L"Dutch");
    EXPECT_EQ(header.nativeName, L"Nederlands");
    EXPECT_EQ(header.languageId, 0x413);
    EXPECT_TRUE(header.strings.empty());
}

TEST(LanguageFileContent, AHeaderOnlyReadLeavesTheRestOfTheBytesUnread)
{
    std::stringbuf buffer("Dutch\n" + marker + "\nProfiel\n");
    LanguageFileContent::read(buffer, Extent::HeaderOnly);
    EXPECT_EQ(buffer.str().substr(static_cast<std::size_t>(buffer.pubseekoff(0, std::ios::cur, std::ios::in))),
              "Profiel\n");
}

TEST(LanguageFileContent, StringsKeepTheirEscapesAsWritten)
{
    EXPECT_EQ(parse(marker + "\none\\ntwo\n").strings, std::vector<std::wstring>{L"one\\ntwo"});
}

TEST(LanguageFileContent, ReadsTheSameTextFromEveryEncoding)
{
    const std::u32string text = U"; Kommentar\r\nGerman\r\nDeutsch\r\n407\r\n" +
                                std::u32string(marker.begin(), marker.end()) + U"\r\nGr\u00FCn\r\n\U0001F600\r\n";
    const std::vector<std::wstring> strings{wide(U"Gr\u00FCn"), wide(U"\U0001F600")};
    for (const std::string& bytes : {utf8WithBom(text), utf16(text, false), utf16(text, true)}) {
        const LanguageFileContent content = parse(bytes);
        EXPECT_EQ(content.name, L"German");
        EXPECT_EQ(content.languageId, 0x407);
        EXPECT_EQ(content.strings, strings);
    }
}

TEST(LanguageFileContent, AFileWithoutByteOrderMarkIsReadByteByByte)
{
    const LanguageFileContent content = parse(singleBytes(U"German\nDeutsch\n407\n") + marker + "\n" +
                                              singleBytes(U"Gr\u00FCn\n") + utf8(U"Gr\u00FCn\n"));
    EXPECT_EQ(content.strings, (std::vector<std::wstring>{wide(U"Gr\u00FCn"), wide(U"Gr\u00C3\u00BCn")}));
}

} // namespace
