#include "ui/CUrlWnd.h"

#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class CUrlWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(form.createModeless(nullptr));
        ASSERT_TRUE(link.subclassDlgItem(IDC_TEST_LINK, form, nullptr));
    }

    void click()
    {
        SendMessageW(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(link.hwnd(), WM_LBUTTONUP, 0, 0);
        wingui_test::pumpPending();
    }

    long commandsOf(int id) const { return std::count(form.commands.begin(), form.commands.end(), id); }

    wingui_test::TestForm form;
    CUrlWnd link;
};

} // namespace

TEST_F(CUrlWndTest, TakesItsTextAsTarget)
{
    EXPECT_EQ(link.target, L"A link");
}

TEST_F(CUrlWndTest, ACommandTargetInAnyCaseReachesTheParent)
{
    for (const wchar_t* target : {L"cmd:1045", L"CMD:1045"}) {
        form.commands.clear();
        link.target = target;
        click();
        EXPECT_EQ(commandsOf(1045), 1) << target;
    }
}

TEST_F(CUrlWndTest, AClickFunctionTakesThePlaceOfTheTarget)
{
    link.target = L"cmd:1045";
    CUrlWnd* clicked = nullptr;
    link.onClick = [&](CUrlWnd* which) { clicked = which; };
    click();
    EXPECT_EQ(clicked, &link);
    EXPECT_EQ(commandsOf(1045), 0);
}
