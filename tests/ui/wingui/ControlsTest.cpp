#include "ui/wingui/Button.h"
#include "ui/wingui/ComboBox.h"
#include "ui/wingui/Font.h"
#include "ui/wingui/HotkeyControl.h"
#include "ui/wingui/ImageList.h"
#include "ui/wingui/Label.h"
#include "ui/wingui/ListView.h"
#include "ui/wingui/Trackbar.h"
#include "ui/wingui/WindowDc.h"
#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace wingui_test;

namespace {

class WinguiControls : public ::testing::Test {
protected:
    TestForm form;

    void SetUp() override
    {
        ASSERT_TRUE(form.createModeless(nullptr));
        ShowWindow(form.hwnd(), SW_SHOW);
    }

    // Gives the control the focus and presses the key.
    void press(int controlId, UINT key)
    {
        SetFocus(form.control(controlId));
        postKey(form.control(controlId), key);
        pumpPending();
    }
};

} // namespace

TEST_F(WinguiControls, TrackbarReportsEveryMoveButNotItsOwnSetValue)
{
    wingui::Trackbar slider;
    slider.rangeMax = 10;
    std::vector<int> moves;
    slider.onPositionChanging = [&](int position) { moves.push_back(position); };
    ASSERT_TRUE(slider.attachItem(form, IDC_TEST_SLIDER));
    EXPECT_EQ(SendMessageW(slider.hwnd(), TBM_GETRANGEMAX, 0, 0), 10);

    slider.setValue(4);
    EXPECT_TRUE(moves.empty());
    press(IDC_TEST_SLIDER, VK_RIGHT);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.front(), 5);
    EXPECT_EQ(slider.value(), 5);
}

TEST_F(WinguiControls, ComboBoxSortsFindsExactlyOrByPrefixAndReportsTheUsersChoice)
{
    wingui::ComboBox combo;
    int changes = 0;
    combo.onSelectionChanged = [&] { ++changes; };
    ASSERT_TRUE(combo.attachItem(form, IDC_TEST_COMBO));
    combo.add(L"night");
    combo.add(L"Day", 7);
    combo.add(L"Movie");
    EXPECT_EQ(combo.itemText(0), L"Day");
    EXPECT_EQ(combo.itemData(0), 7);
    EXPECT_EQ(combo.findExact(L"day"), -1);
    EXPECT_EQ(combo.findExact(L"Day"), 0);
    EXPECT_EQ(combo.findPrefix(L"mov"), 1);

    combo.setSelectedIndex(0);
    EXPECT_EQ(changes, 0);
    press(IDC_TEST_COMBO, VK_DOWN);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo.selectedIndex(), 1);
    combo.setSelectedIndex(-1);
    EXPECT_EQ(combo.selectedIndex(), -1);
}

TEST_F(WinguiControls, CheckBoxStartsAsSetAndItsMnemonicTogglesIt)
{
    wingui::CheckBox check;
    check.checked = true;
    std::vector<bool> statesSeen;
    check.onClicked = [&] { statesSeen.push_back(check.isChecked()); };
    ASSERT_TRUE(check.attachItem(form, IDC_TEST_CHECK));
    EXPECT_TRUE(check.isChecked());

    SetFocus(form.control(IDC_TEST_EDIT));
    postAltLetter(form.control(IDC_TEST_EDIT), L'h');
    pumpPending();
    EXPECT_EQ(statesSeen, std::vector<bool>{false});
}

TEST_F(WinguiControls, LinkActsOnClickAndOnEnterWithoutEndingTheDialog)
{
    wingui::Link link;
    int clicks = 0;
    link.onClick = [&] { ++clicks; };
    ASSERT_TRUE(link.attachItem(form, IDC_TEST_LINK));

    SendMessageW(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(clicks, 1);

    // The link is a tab stop after the slider.
    SetFocus(form.control(IDC_TEST_SLIDER));
    postKey(form.control(IDC_TEST_SLIDER), VK_TAB);
    pumpPending();
    ASSERT_EQ(GetFocus(), link.hwnd());
    postKey(link.hwnd(), VK_RETURN);
    pumpPending();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form.okCalls, 0);

    SendMessageW(link.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(WinguiControls, LabelDrawsWithItsOwnColourAndFont)
{
    wingui::Font underlined = wingui::Font::underlinedCopyOf(form.hwnd());
    ASSERT_TRUE(underlined);
    LOGFONTW description{};
    GetObjectW(underlined.handle(), sizeof(description), &description);
    EXPECT_TRUE(description.lfUnderline);

    wingui::Label label;
    label.textColor = RGB(1, 2, 3);
    label.font = underlined.handle();
    ASSERT_TRUE(label.attachItem(form, IDC_TEST_LABEL));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(label.hwnd(), WM_GETFONT, 0, 0)), underlined.handle());

    // The colour question the label's paint asks its parent.
    wingui::WindowDc dc(label.hwnd());
    SetTextColor(dc.handle(), RGB(200, 200, 200));
    auto brush = SendMessageW(form.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.handle()),
                              reinterpret_cast<LPARAM>(label.hwnd()));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(dc.handle()), RGB(1, 2, 3));
}

TEST_F(WinguiControls, ListViewKeepsRowsWithTheirDataAndReportsSelectionAndDoubleClick)
{
    wingui::ListView list;
    list.columns = {{L"Action", 120}, {L"Hotkey", 80}};
    int changes = 0;
    int doubleClicks = 0;
    list.onItemChanged = [&] { ++changes; };
    list.onDoubleClick = [&] { ++doubleClicks; };
    ASSERT_TRUE(list.attachItem(form, IDC_TEST_LIST));
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list.hwnd())), 2);
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(list.hwnd()) & LVS_EX_FULLROWSELECT);

    const std::wstring longText(300, L'w');
    EXPECT_EQ(list.addRow({L"Brighter", L"Ctrl + B"}, 11), 0);
    EXPECT_EQ(list.addRow({L"Darker", longText}, 12), 1);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.cell(0, 1), L"Ctrl + B");
    EXPECT_EQ(list.cell(1, 1), longText);
    EXPECT_EQ(list.findRow(12), 1);
    EXPECT_EQ(list.rowData(1), 12);

    list.selectRow(1);
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_GT(changes, 0);

    RECT row{};
    ListView_GetItemRect(list.hwnd(), 0, &row, LVIR_LABEL);
    const LPARAM point = MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2);
    SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, point);
    SendMessageW(list.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, point);
    pumpPending();
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(list.selectedRow(), 0);

    list.removeRow(0);
    EXPECT_EQ(list.findRow(12), 0);
    list.clear();
    EXPECT_EQ(list.rowCount(), 0);
}

// The test form's list, like the program's, has no LVS_SHAREIMAGELISTS in its
// template: the list takes the style when it is given images, so that their
// owner alone destroys them.
TEST_F(WinguiControls, AListViewLeavesItsImagesToTheirOwner)
{
    wingui::ListView list;
    ASSERT_TRUE(list.attachItem(form, IDC_TEST_LIST));
    ASSERT_FALSE(GetWindowLongPtrW(list.hwnd(), GWL_STYLE) & LVS_SHAREIMAGELISTS);
    wingui::ImageList images(16);
    ASSERT_EQ(images.addIcon(LoadIconW(nullptr, IDI_APPLICATION)), 0);

    list.setSmallImages(images.handle());
    EXPECT_EQ(ListView_GetImageList(list.hwnd(), LVSIL_SMALL), images.handle());
    ASSERT_TRUE(GetWindowLongPtrW(list.hwnd(), GWL_STYLE) & LVS_SHAREIMAGELISTS);

    form.destroy();
    EXPECT_EQ(ImageList_GetImageCount(images.handle()), 1) << "the list destroyed images it does not own";
}

TEST_F(WinguiControls, HotkeyControlHoldsAKeyWithItsModifiers)
{
    wingui::HotkeyControl hotkey;
    ASSERT_TRUE(hotkey.attachItem(form, IDC_TEST_HOTKEY));
    EXPECT_EQ(hotkey.combination().virtualKey, 0);
    hotkey.setCombination({'B', HOTKEYF_CONTROL | HOTKEYF_ALT});
    EXPECT_EQ(hotkey.combination().virtualKey, 'B');
    EXPECT_EQ(hotkey.combination().modifiers, HOTKEYF_CONTROL | HOTKEYF_ALT);
}
