#include "localization/LinearUiLocalization.h"

#include "localization/LanguageFileBytes.h"
#include "localization/UnopenableFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using namespace LanguageFileBytes;

class LinearUiLocalizationFile : public testing::Test {
protected:
    LanguageScratchFolder folder;
};

TEST_F(LinearUiLocalizationFile, StartsEmptyAndHeaderOnly)
{
    const LinearUiLocalization language(folder.file("deu.loc"));
    EXPECT_TRUE(language.isHeaderOnly());
    EXPECT_EQ(language.name(), L"");
    EXPECT_EQ(language.languageId(), 0);
    EXPECT_EQ(language.count(), 0);
    EXPECT_EQ(language.filePath(), folder.file("deu.loc"));
}

TEST_F(LinearUiLocalizationFile, AHeaderReadGivesTheHeaderOnly)
{
    LinearUiLocalization language(folder.writeLanguage("deu.loc", U"German", U"407", U"Profil\nHelligkeit\n"));
    ASSERT_TRUE(language.readHeader());
    EXPECT_EQ(language.name(), L"German");
    EXPECT_EQ(language.nativeName(), L"German");
    EXPECT_EQ(language.languageId(), 0x407);
    EXPECT_EQ(language.count(), 0);
    EXPECT_TRUE(language.isHeaderOnly());
}

TEST_F(LinearUiLocalizationFile, AFullReadGivesTheStringsByNumber)
{
    LinearUiLocalization language(folder.writeLanguage("deu.loc", U"German", U"407", U"Profil\nGr\u00FCn\n"));
    ASSERT_TRUE(language.readHeader());
    ASSERT_TRUE(language.readAll());
    EXPECT_FALSE(language.isHeaderOnly());
    EXPECT_EQ(language.count(), 2);
    EXPECT_EQ(language.string(0), L"Profil");
    EXPECT_EQ(language.string(1), wide(U"Gr\u00FCn"));
    EXPECT_EQ(language.firstString(L"ignored"), L"Profil");
}

TEST_F(LinearUiLocalizationFile, NumbersItHasNoStringForGiveAnEmptyText)
{
    LinearUiLocalization language(folder.writeLanguage("deu.loc", U"German", U"407", U"Profil\n"));
    ASSERT_TRUE(language.readAll());
    for (const int index : {1, 2, 1000, -1, -2147483647 - 1, 2147483647})
        EXPECT_EQ(language.string(index), L"") << index;
}

TEST_F(LinearUiLocalizationFile, AnEmptyFileHasNoFirstString)
{
    LinearUiLocalization language(folder.write("empty.loc", ""));
    ASSERT_TRUE(language.readAll());
    EXPECT_EQ(language.count(), 0);
    EXPECT_EQ(language.firstString(L"fallback"), L"");
}

TEST_F(LinearUiLocalizationFile, AMissingFileFailsAndChangesNothing)
{
    LinearUiLocalization language(folder.writeLanguage("deu.loc", U"German", U"407", U"Profil\n"));
    ASSERT_TRUE(language.readHeader());
    std::filesystem::remove(folder.native() / "deu.loc");
    EXPECT_FALSE(language.readAll());
    EXPECT_FALSE(language.readHeader());
    EXPECT_TRUE(language.isHeaderOnly());
    EXPECT_EQ(language.name(), L"German");
    EXPECT_EQ(language.count(), 0);
}

TEST_F(LinearUiLocalizationFile, AFileThatCannotBeOpenedFailsToRead)
{
    LinearUiLocalization language(folder.writeLanguage("deu.loc", U"German", U"407", U"Profil\n"));
    const UnopenableFile locked(language.filePath());
    ASSERT_TRUE(locked.active());
    EXPECT_FALSE(language.readHeader());
    EXPECT_FALSE(language.readAll());
    EXPECT_EQ(language.name(), L"");
    EXPECT_TRUE(language.isHeaderOnly());
}

TEST_F(LinearUiLocalizationFile, AFolderIsNoFileToRead)
{
    std::filesystem::create_directory(folder.native() / "dir.loc");
    LinearUiLocalization language(folder.file("dir.loc"));
    EXPECT_FALSE(language.readHeader());
    EXPECT_FALSE(language.readAll());
    EXPECT_EQ(language.name(), L"");
    EXPECT_EQ(language.count(), 0);
}

TEST_F(LinearUiLocalizationFile, ReadsFromAFolderWithANonAsciiName)
{
    const std::string subFolder = "Spr\xC3\xA4" "che";
    std::filesystem::create_directory(folder.native(subFolder));
    LinearUiLocalization language(folder.writeLanguage(subFolder + "/deu.loc", U"German", U"407", U"Profil\n"));
    ASSERT_TRUE(language.readAll());
    EXPECT_EQ(language.string(0), L"Profil");
}

struct EscapeCase {
    std::wstring line;
    std::wstring text;
};

class LinearUiLocalizationEscapes : public testing::TestWithParam<EscapeCase> {};

TEST_P(LinearUiLocalizationEscapes, OnlyBackslashNIsAnEscape)
{
    EXPECT_EQ(LinearUiLocalization(L"").unescape(GetParam().line), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinearUiLocalizationEscapes,
                         testing::Values(EscapeCase{L"one\\ntwo", L"one\ntwo"}, EscapeCase{L"\\n", L"\n"},
                                         EscapeCase{L"a\\n\\nb", L"a\n\nb"}, EscapeCase{L"\\\\n", L"\\\n"},
                                         EscapeCase{L"tab\\t", L"tab\\t"}, EscapeCase{L"end\\", L"end\\"},
                                         EscapeCase{L"\\N", L"\\N"}, EscapeCase{L"plain", L"plain"},
                                         EscapeCase{L"", L""}));

TEST_F(LinearUiLocalizationFile, AStringWithAnEscapedBreakShowsOnTwoLines)
{
    LinearUiLocalization language(folder.writeLanguage("deu.loc", U"German", U"407", U"erste\\nzweite Zeile\n"));
    ASSERT_TRUE(language.readAll());
    EXPECT_EQ(language.string(0), L"erste\nzweite Zeile");
}

} // namespace
