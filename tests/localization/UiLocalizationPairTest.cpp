#include "localization/UiLocalizationPair.h"

#include "localization/LanguageFileBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Strings "<prefix>0" to "<prefix><count - 1>".
std::u32string numberedStrings(const std::u32string& prefix, int count)
{
    std::u32string strings;
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        strings += prefix + std::u32string(number.begin(), number.end()) + U"\n";
    }
    return strings;
}

std::wstring numbered(const std::wstring& prefix, int number)
{
    return prefix + std::to_wstring(number);
}

// A German translation over English, both read from their files.
class UiLocalizationPairOver : public testing::Test {
protected:
    void combine(const std::u32string& englishStrings, const std::u32string& germanStrings)
    {
        english = LinearUiLocalization(folder.writeLanguage("eng.loc", U"English", U"409", englishStrings));
        german = LinearUiLocalization(folder.writeLanguage("deu.loc", U"German", U"407", germanStrings));
        ASSERT_TRUE(english.readAll());
        ASSERT_TRUE(german.readAll());
        pair.set(&german, &english);
    }

    LanguageScratchFolder folder;
    LinearUiLocalization english{L""};
    LinearUiLocalization german{L""};
    UiLocalizationPair pair;
};

TEST_F(UiLocalizationPairOver, AShortTranslationIsCompletedFromEnglish)
{
    combine(numberedStrings(U"en", 80), numberedStrings(U"de", 50));
    EXPECT_EQ(pair.count(), 80);
    for (int number = 0; number < 50; ++number)
        EXPECT_EQ(pair.string(number), numbered(L"de", number));
    for (int number = 50; number < 80; ++number)
        EXPECT_EQ(pair.string(number), numbered(L"en", number));
    EXPECT_EQ(pair.string(80), L"");
    EXPECT_EQ(pair.string(-1), L"");
}

TEST_F(UiLocalizationPairOver, TheHeaderIsTheTranslations)
{
    combine(U"Profile\n", U"Profil\n");
    EXPECT_EQ(pair.name(), L"German");
    EXPECT_EQ(pair.nativeName(), L"German");
    EXPECT_EQ(pair.languageId(), 0x407);
    EXPECT_EQ(pair.primary(), &german);
}

TEST_F(UiLocalizationPairOver, ALongerTranslationIsCutToTheEnglishCountButAnswersAllItHas)
{
    combine(numberedStrings(U"en", 3), numberedStrings(U"de", 5));
    EXPECT_EQ(pair.count(), 3);
    EXPECT_EQ(pair.string(4), L"de4");
}

TEST_F(UiLocalizationPairOver, TheFirstStringFallsBackToTheGivenText)
{
    combine(U"Profile\n", U"");
    EXPECT_EQ(pair.firstString(L"given"), L"given");
    combine(U"Profile\n", U"Profil\n");
    EXPECT_EQ(pair.firstString(L"given"), L"Profil");
}

TEST(UiLocalizationPair, HasNoTextsUntilSet)
{
    const UiLocalizationPair pair;
    EXPECT_EQ(pair.count(), 0);
    EXPECT_EQ(pair.string(0), L"");
    EXPECT_EQ(pair.name(), L"");
    EXPECT_EQ(pair.languageId(), 0);
    EXPECT_EQ(pair.firstString(L"given"), L"given");
}

} // namespace
