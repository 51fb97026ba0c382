#include "localization/LinearUiLocalization.h"
#include "localization/LinearUiLocalizationManager.h"
#include "localization/LanguageId.h"
#include "localization/ShippedLocalizations.h"
#include "localization/UserLanguage.h"
#include "localization/VtUiLocalizationManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// Every string number the program shows, and the uses that share one.
const std::vector<int> usedNumbers = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
    21, 22, 23, 24, 25, 26, 27, 28, 29, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42,
    43, 54, 55, 56, 57, 70, 71, 72, 73, 74, 75,
};

// The wordings the dialog templates show in English.
const std::map<int, std::wstring> templateWordings = {
    {0, L"Profile"},
    {3, L"Brightness"},
    {4, L"Contrast"},
    {5, L"Red"},
    {6, L"Green"},
    {7, L"Blue"},
    {9, L"Monitor"},
    {11, L"Start with Windows start"},
    {13, L"Action"},
    {14, L"Hotkey"},
    {15, L"Add"},
    {16, L"Remove"},
    {17, L"Edit"},
    {20, L"Cancel"},
    {21, L"Create Hotkey"},
    {28, L"Click here to contact us"},
    {29, L"Click here to download the latest version"},
    {31, L"Enter profile name"},
    {42, L"Enable"},
    {54, L"Application Action"},
    {55, L"Application"},
    {56, L"Browse"},
    {57, L"Running Applications"},
    {70, L"Enable"},
    {74, L"Switch profiles using left mouse click on tray icon"},
};

// Texts that take the one string parameter.
const std::vector<int> withParameter = {39, 72, 75};
// Toolbar tooltips, which the main window cuts after 160 characters.
const std::vector<int> tooltips = {1, 2, 8, 16, 25};

LinearUiLocalization readShipped(const std::wstring& fileName)
{
    LinearUiLocalization language(shippedLocalizationsFolder() + L"/" + fileName);
    EXPECT_TRUE(language.readAll()) << "cannot read the shipped " << std::string(fileName.begin(), fileName.end());
    return language;
}

int parameterCount(const std::wstring& text)
{
    int count = 0;
    for (std::size_t at = text.find(L"%s"); at != std::wstring::npos; at = text.find(L"%s", at + 2))
        ++count;
    return count;
}

class ShippedLanguageFile : public testing::TestWithParam<const wchar_t*> {};

TEST(ShippedLanguageFiles, EnglishHasATextForEveryNumberThatIsShown)
{
    const LinearUiLocalization english = readShipped(L"eng.loc");
    EXPECT_EQ(english.name(), L"English");
    EXPECT_EQ(english.languageId(), 0x409);
    ASSERT_EQ(english.count(), usedNumbers.back() + 1);
    for (const int number : usedNumbers)
        EXPECT_FALSE(english.string(number).empty()) << number;
}

TEST(ShippedLanguageFiles, EnglishKeepsTheTemplatesWordings)
{
    const LinearUiLocalization english = readShipped(L"eng.loc");
    for (const auto& [number, wording] : templateWordings)
        EXPECT_EQ(english.string(number), wording) << number;
}

TEST(ShippedLanguageFiles, GermanIsACompleteTranslation)
{
    const LinearUiLocalization english = readShipped(L"eng.loc");
    const LinearUiLocalization german = readShipped(L"deu.loc");
    EXPECT_EQ(german.name(), L"German");
    EXPECT_EQ(german.nativeName(), L"Deutsch");
    EXPECT_EQ(german.languageId(), 0x407);
    EXPECT_EQ(german.count(), english.count());
    EXPECT_EQ(german.string(6), L"Gr\u00FCn");
    EXPECT_EQ(german.string(12), L"Globale Tastenk\u00FCrzel");
}

TEST_P(ShippedLanguageFile, GivesEachParameterTextOneParameterAndNoOtherDirective)
{
    const LinearUiLocalization language = readShipped(GetParam());
    for (int number = 0; number < language.count(); ++number) {
        const std::wstring text = language.string(number);
        const bool takesParameter = std::count(withParameter.begin(), withParameter.end(), number) != 0;
        EXPECT_EQ(parameterCount(text), takesParameter ? 1 : 0) << number;
        EXPECT_EQ(std::count(text.begin(), text.end(), L'%'), takesParameter ? 1 : 0) << number;
    }
}

TEST_P(ShippedLanguageFile, KeepsTooltipsShort)
{
    const LinearUiLocalization language = readShipped(GetParam());
    for (const int number : tooltips)
        EXPECT_LT(language.string(number).size(), 160u) << number;
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguageFile, testing::Values(L"eng.loc", L"deu.loc"));

struct UserLanguageCase {
    int userLanguage;
    const wchar_t* current;
};

class ShippedLanguageChoice : public testing::TestWithParam<UserLanguageCase> {};

TEST_P(ShippedLanguageChoice, StartsInTheUsersLanguage)
{
    LinearUiLocalizationManager manager(shippedLocalizationsFolder(), GetParam().userLanguage);
    ASSERT_NE(manager.effective(), nullptr);
    EXPECT_EQ(manager.current()->name(), GetParam().current);
    EXPECT_EQ(manager.effective()->name(), GetParam().current);
}

INSTANTIATE_TEST_SUITE_P(Users, ShippedLanguageChoice,
                         testing::Values(UserLanguageCase{0x407, L"German"}, UserLanguageCase{0x807, L"German"},
                                         UserLanguageCase{0x409, L"English"}, UserLanguageCase{0x40C, L"English"},
                                         UserLanguageCase{0, L"English"}));

TEST(ShippedLanguageFiles, TheProgramStartsInTheLanguageOfItsUser)
{
    VtUiLocalizationManager manager(shippedLocalizationsFolder());
    ASSERT_NE(manager.effective(), nullptr);
    const bool germanUser = samePrimaryLanguage(userDefaultLanguageId(), 0x407);
    EXPECT_EQ(manager.current()->name(), germanUser ? L"German" : L"English");
}

TEST(ShippedLanguageFiles, SwitchingLanguageChangesTheTexts)
{
    LinearUiLocalizationManager manager(shippedLocalizationsFolder(), 0x409);
    EXPECT_EQ(manager.effective()->string(3), L"Brightness");
    ASSERT_TRUE(manager.selectByName(L"German"));
    EXPECT_EQ(manager.effective()->string(3), L"Helligkeit");
    EXPECT_NE(manager.effective()->string(27).find(L'\n'), std::wstring::npos);
    ASSERT_TRUE(manager.selectByName(L"English"));
    EXPECT_EQ(manager.effective()->string(3), L"Brightness");
}

} // namespace
