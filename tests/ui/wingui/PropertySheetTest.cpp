#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace wingui_test;

namespace {

class TestPage : public wingui::PropertyPage {
public:
    using wingui::PropertyPage::PropertyPage;

    std::function<void()> onInit;
    std::function<bool()> applyAnswer = [] { return true; };
    int applyCalls = 0;
    int resetCalls = 0;
    int activations = 0;

    HWND sheet() const { return GetParent(hwnd()); }

protected:
    bool onInitDialog() override
    {
        if (onInit)
            onInit();
        return true;
    }
    bool onApply() override
    {
        ++applyCalls;
        return applyAnswer();
    }
    void onSetActive() override { ++activations; }
    void onReset() override { ++resetCalls; }
};

std::wstring tabTitle(HWND sheet, int index)
{
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    TabCtrl_GetItem(PropSheet_GetTabControl(sheet), index, &item);
    return text;
}

class WinguiPropertySheet : public ::testing::Test {
protected:
    TestPage first{IDD_TEST_PAGE_ONE, L"First"};
    TestPage second{IDD_TEST_PAGE_TWO, L""};
    wingui::PropertySheetDialog sheet;

    void SetUp() override
    {
        sheet.title = L"Settings";
        sheet.addPage(first);
        sheet.addPage(second);
    }
};

} // namespace

TEST_F(WinguiPropertySheet, OkAppliesEveryShownPageAndReturnsOk)
{
    std::wstring titles[2];
    first.onInit = [&] {
        titles[0] = tabTitle(first.sheet(), 0);
        titles[1] = tabTitle(first.sheet(), 1);
        PostMessageW(first.sheet(), PSM_SETCURSEL, 1, 0);
        PostMessageW(first.sheet(), PSM_PRESSBUTTON, PSBTN_OK, 0);
    };
    EXPECT_EQ(sheet.runModal(nullptr), IDOK);
    EXPECT_EQ(sheet.hwnd(), nullptr);
    EXPECT_EQ(titles[0], L"First");
    EXPECT_EQ(titles[1], L"Two") << "an empty title keeps the template's caption";
    EXPECT_EQ(first.applyCalls, 1);
    EXPECT_EQ(second.applyCalls, 1);
    EXPECT_GE(second.activations, 1);
    EXPECT_EQ(first.hwnd(), nullptr) << "the sheet destroyed its pages";
}

TEST_F(WinguiPropertySheet, PageNeverShownIsNotAsked)
{
    first.onInit = [&] { PostMessageW(first.sheet(), PSM_PRESSBUTTON, PSBTN_OK, 0); };
    EXPECT_EQ(sheet.runModal(nullptr), IDOK);
    EXPECT_EQ(first.applyCalls, 1);
    EXPECT_EQ(second.applyCalls, 0);
}

TEST_F(WinguiPropertySheet, EscapeCancelsWithoutApplying)
{
    first.onInit = [&] { postKey(GetDlgItem(first.hwnd(), IDC_TEST_PAGE_CHECK), VK_ESCAPE); };
    EXPECT_EQ(sheet.runModal(nullptr), IDCANCEL);
    EXPECT_EQ(first.applyCalls, 0);
    EXPECT_EQ(first.resetCalls, 1);
}

TEST_F(WinguiPropertySheet, RefusedApplyKeepsTheSheetOpenAndACancelAfterItIsNoOk)
{
    first.applyAnswer = [&] {
        PostMessageW(first.sheet(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return false;
    };
    first.onInit = [&] { PostMessageW(first.sheet(), PSM_PRESSBUTTON, PSBTN_OK, 0); };
    EXPECT_EQ(sheet.runModal(nullptr), IDCANCEL);
    EXPECT_EQ(first.applyCalls, 1);
    EXPECT_EQ(first.resetCalls, 1);
}
