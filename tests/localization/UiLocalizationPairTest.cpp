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

class UiLocalizationPairOver : public testing::Test {
protected:
    LinearUiLocalization read(const std::string& fileName, const std::u32string& name, const std::u32string& strings)
    {
        LinearUiLocalization language(folder.writeLanguage(fileName, name, U"407", strings));
        EXPECT_TRUE(language.readAll());
        return language;
    }

    LanguageScratchFolder folder;
};

TEST_F(UiLocalizationPairOver, AShortTranslationIsCompletedFromEnglish)
{
    LinearUiLocalization english = read("eng.loc", U"English", numberedStrings(U"en", 80));
    LinearUiLocalization german = read("deu.loc", U"German", numberedStrings(U"de", 50));
    UiLocalizationPair pair;
    pair.set(&german, &english);

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
    LinearUiLocalization english = read("eng.loc", U"English", U"Profile\n");
    LinearUiLocalization german = read("deu.loc", U"German", U"Profil\n");
    UiLocalizationPair pair;
    pair.set(&german, &english);
    EXPECT_EQ(pair.name(), L"German");
    EXPECT_EQ(pair.nativeName(), L"German");
    EXPECT_EQ(pair.languageId(), 0x407);
    EXPECT_EQ(pair.primary(), &german);
}

TEST_F(UiLocalizationPairOver, ALongerTranslationIsCutToTheEnglishCountButAnswersAllItHas)
{
    LinearUiLocalization english = read("eng.loc", U"English", numberedStrings(U"en", 3));
    LinearUiLocalization german = read("deu.loc", U"German", numberedStrings(U"de", 5));
    UiLocalizationPair pair;
    pair.set(&german, &english);
    EXPECT_EQ(pair.count(), 3);
    EXPECT_EQ(pair.string(4), L"de4");
}

TEST_F(UiLocalizationPairOver, TheFirstStringFallsBackToTheGivenText)
{
    LinearUiLocalization english = read("eng.loc", U"English", U"Profile\n");
    LinearUiLocalization emptyGerman = read("deu.loc", U"German", U"");
    LinearUiLocalization german = read("de2.loc", U"German", U"Profil\n");
    UiLocalizationPair pair;
    pair.set(&emptyGerman, &english);
    EXPECT_EQ(pair.firstString(L"given"), L"given");
    pair.set(&german, &english);
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
