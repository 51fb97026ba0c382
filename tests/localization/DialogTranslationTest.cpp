#include "localization/DialogTranslation.h"

#include "localization/TextListLocalization.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Texts "text<n>" for numbers 0 to 9.
TextListLocalization tenTexts()
{
    std::vector<std::wstring> texts;
    for (int number = 0; number < 10; ++number)
        texts.push_back(L"text" + std::to_wstring(number));
    return TextListLocalization(texts);
}

using ControlTexts = std::vector<std::pair<int, std::wstring>>;

TEST(DialogTranslation, SetsEachControlWithAColonWhereAsked)
{
    const DialogTranslationEntry table[] = {{1044, 1, 0}, {1053, 5, dialogTextColon}, {2, 0, 0}, {0, 0, 0}};
    const DialogTexts texts = translateDialog(table, tenTexts());
    EXPECT_EQ(texts.controls, (ControlTexts{{1044, L"text1"}, {1053, L"text5:"}, {2, L"text0"}}));
    EXPECT_FALSE(texts.title);
}

TEST(DialogTranslation, TheEndingRowNamesTheTitle)
{
    const DialogTranslationEntry table[] = {{2, 2, 0}, {0, 3, 0}};
    const DialogTexts texts = translateDialog(table, tenTexts());
    EXPECT_EQ(texts.controls, (ControlTexts{{2, L"text2"}}));
    EXPECT_EQ(texts.title, L"text3");
}

TEST(DialogTranslation, StopsAtTheEndingRow)
{
    const DialogTranslationEntry table[] = {{1, 1, 0}, {0, 0, 0}, {7, 7, 0}, {0, 4, 0}};
    const DialogTexts texts = translateDialog(table, tenTexts());
    EXPECT_EQ(texts.controls, (ControlTexts{{1, L"text1"}}));
    EXPECT_FALSE(texts.title);
}

TEST(DialogTranslation, ATableWithoutEndingRowEndsWithItsLastEntry)
{
    const DialogTranslationEntry table[] = {{1, 1, 0}, {2, 2, dialogTextColon}};
    EXPECT_EQ(translateDialog(table, tenTexts()).controls, (ControlTexts{{1, L"text1"}, {2, L"text2:"}}));
    EXPECT_TRUE(translateDialog({}, tenTexts()).controls.empty());
}

TEST(DialogTranslation, AMissingStringGivesAnEmptyText)
{
    const DialogTranslationEntry table[] = {{1, 10, 0}, {2, 99, dialogTextColon}, {3, -1, 0}, {0, 50, 0}};
    const DialogTexts texts = translateDialog(table, tenTexts());
    EXPECT_EQ(texts.controls, (ControlTexts{{1, L""}, {2, L":"}, {3, L""}}));
    EXPECT_EQ(texts.title, L"");
}

} // namespace

TEST(DialogTranslation, TheTemplatesAccessKeyIsKeptWhereTheTranslationAllowsIt)
{
    const struct {
        const wchar_t* templateText;
        const wchar_t* translated;
        const wchar_t* shown;
    } cases[] = {
        {L"&Brightness:", L"Brightness:", L"&Brightness:"},
        {L"B&lue:", L"Blue:", L"B&lue:"},
        {L"B&lue:", L"Blau:", L"B&lau:"},
        {L"&Brightness:", L"Helligkeit:", L"Helligkeit:"},
        {L"&Monitor:", L"Bild&schirm:", L"Bild&schirm:"},
        {L"Save && close", L"Save and close", L"Save and close"},
        {L"Profile:", L"Profil:", L"Profil:"},
        {L"&Profile:", L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withTemplateMnemonic(c.templateText, c.translated), c.shown) << c.templateText << " / " << c.translated;
}
