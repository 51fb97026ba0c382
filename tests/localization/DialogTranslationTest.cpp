#include "localization/DialogTranslation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Texts "text<n>" for numbers 0 to 9.
class TenTexts : public UiLocalization {
public:
    int languageId() const override { return 0x409; }
    std::wstring name() const override { return L"English"; }
    std::wstring nativeName() const override { return L"English"; }
    int count() const override { return 10; }
    std::wstring firstString(const std::wstring&) const override { return string(0); }
    std::wstring string(int index) const override
    {
        return index >= 0 && index < count() ? L"text" + std::to_wstring(index) : std::wstring();
    }
};

using ControlTexts = std::vector<std::pair<int, std::wstring>>;

TEST(DialogTranslation, SetsEachControlWithAColonWhereAsked)
{
    const DialogTranslationEntry table[] = {{1044, 1, 0}, {1053, 5, dialogTextColon}, {2, 0, 0}, {0, 0, 0}};
    const DialogTexts texts = translateDialog(table, TenTexts());
    EXPECT_EQ(texts.controls, (ControlTexts{{1044, L"text1"}, {1053, L"text5:"}, {2, L"text0"}}));
    EXPECT_FALSE(texts.title);
}

TEST(DialogTranslation, TheEndingRowNamesTheTitle)
{
    const DialogTranslationEntry table[] = {{2, 2, 0}, {0, 3, 0}};
    const DialogTexts texts = translateDialog(table, TenTexts());
    EXPECT_EQ(texts.controls, (ControlTexts{{2, L"text2"}}));
    EXPECT_EQ(texts.title, L"text3");
}

TEST(DialogTranslation, StopsAtTheEndingRow)
{
    const DialogTranslationEntry table[] = {{1, 1, 0}, {0, 0, 0}, {7, 7, 0}, {0, 4, 0}};
    const DialogTexts texts = translateDialog(table, TenTexts());
    EXPECT_EQ(texts.controls, (ControlTexts{{1, L"text1"}}));
    EXPECT_FALSE(texts.title);
}

TEST(DialogTranslation, ATableWithoutEndingRowEndsWithItsLastEntry)
{
    const DialogTranslationEntry table[] = {{1, 1, 0}, {2, 2, dialogTextColon}};
    EXPECT_EQ(translateDialog(table, TenTexts()).controls, (ControlTexts{{1, L"text1"}, {2, L"text2:"}}));
    EXPECT_TRUE(translateDialog({}, TenTexts()).controls.empty());
}

TEST(DialogTranslation, AMissingStringGivesAnEmptyText)
{
    const DialogTranslationEntry table[] = {{1, 10, 0}, {2, 99, dialogTextColon}, {3, -1, 0}, {0, 50, 0}};
    const DialogTexts texts = translateDialog(table, TenTexts());
    EXPECT_EQ(texts.controls, (ControlTexts{{1, L""}, {2, L":"}, {3, L""}}));
    EXPECT_EQ(texts.title, L"");
}

} // namespace
