#include "ui/wingui/GdiplusSession.h"
#include "ui/wingui/ImageList.h"
#include "ui/wingui/Label.h"
#include "ui/wingui/Toolbar.h"
#include "ui/wingui/WindowDc.h"
#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>

using namespace wingui_test;

namespace {

// The button images that the build puts beside the test executable.
std::wstring buttonImage(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return folder.substr(0, folder.find_last_of(L'\\')) + L"\\Resources\\" + name;
}

// How many pixels the image changes when drawn on white.
// The pixels of the image drawn on white that pass the test.
int countPixels(const wingui::ImageList& images, int index, const std::function<bool(COLORREF)>& test)
{
    const int size = images.imageSize();
    wingui::WindowDc screen(nullptr);
    HDC memory = CreateCompatibleDC(screen.handle());
    HBITMAP canvas = CreateCompatibleBitmap(screen.handle(), size, size);
    HGDIOBJ previous = SelectObject(memory, canvas);
    RECT area{0, 0, size, size};
    FillRect(memory, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images.handle(), index, memory, 0, 0, ILD_NORMAL);
    int changed = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            changed += test(GetPixel(memory, x, y)) ? 1 : 0;
    }
    SelectObject(memory, previous);
    DeleteObject(canvas);
    DeleteDC(memory);
    return changed;
}

int drawnPixels(const wingui::ImageList& images, int index)
{
    return countPixels(images, index, [](COLORREF pixel) { return pixel != RGB(255, 255, 255); });
}

bool isColoured(COLORREF pixel)
{
    return GetRValue(pixel) != GetGValue(pixel) || GetGValue(pixel) != GetBValue(pixel);
}

constexpr int toolbarId = 950;

class WinguiToolbar : public ::testing::Test {
protected:
    GdiplusSession gdiplus;
    wingui::ImageList images{16};
    TestForm form;
    wingui::Toolbar toolbar;
    std::vector<int> clicked;

    void SetUp() override
    {
        images.addPngFile(buttonImage(L"Save_16x16.png"));
        images.addPngFile(buttonImage(L"Undo_16x16.png"));
        images.addPngFile(buttonImage(L"Help_16x16.png"));
        ASSERT_TRUE(form.createModeless(nullptr));
        ShowWindow(form.hwnd(), SW_SHOW);
        toolbar.buttons = {{101, 0}, {102, 1}, {103, 2}};
        toolbar.images = images.handle();
        toolbar.onButtonClicked = [this](int command) { clicked.push_back(command); };
        HWND place = form.control(IDC_TEST_TOOLBAR_PLACE);
        wingui::Label placeholder;
        ASSERT_TRUE(placeholder.attach(place));
        ASSERT_TRUE(toolbar.create(form, toolbarId, placeholder.rectInParent(), place));
    }
};

} // namespace

TEST(WinguiImageList, MissingImageLeavesAnEmptySlotAndTheOthersKeepTheirPlaces)
{
    GdiplusSession gdiplus;
    wingui::ImageList images(16);
    EXPECT_EQ(images.addPngFile(buttonImage(L"Save_16x16.png")), 0);
    EXPECT_EQ(images.addPngFile(buttonImage(L"NoSuchImage_16x16.png")), 1);
    EXPECT_EQ(images.addPngFile(buttonImage(L"Help_16x16.png")), 2);
    EXPECT_EQ(images.count(), 3);
    EXPECT_GT(drawnPixels(images, 0), 100);
    EXPECT_EQ(drawnPixels(images, 1), 0);
    EXPECT_GT(drawnPixels(images, 2), 100);
}

// At 150 % a 16-pixel image fills a 24-pixel slot instead of a corner of it.
TEST(WinguiImageList, ImagesAreScaledToTheListsSize)
{
    GdiplusSession gdiplus;
    wingui::ImageList small(16);
    wingui::ImageList large(24);
    small.addPngFile(buttonImage(L"Settings_16x16.png"));
    large.addPngFile(buttonImage(L"Settings_16x16.png"));
    EXPECT_GT(drawnPixels(large, 0), drawnPixels(small, 0) * 2);
}

// A disabled button's image: the same shape, in grey only.
TEST(WinguiImageList, AGreyedImageKeepsItsShapeWithoutColour)
{
    GdiplusSession gdiplus;
    wingui::ImageList images(16);
    images.addPngFile(buttonImage(L"Save_16x16.png"));
    images.addPngFile(buttonImage(L"Save_16x16.png"), true);
    EXPECT_GT(countPixels(images, 0, isColoured), 10);
    EXPECT_GT(drawnPixels(images, 1), 50);
    EXPECT_EQ(countPixels(images, 1, isColoured), 0);
}

TEST_F(WinguiToolbar, TakesThePlaceholdersPlaceInTheTabOrder)
{
    EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), form.control(IDC_TEST_LINK), FALSE), toolbar.hwnd());
    EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), toolbar.hwnd(), FALSE), form.control(IDC_TEST_LIST));
    EXPECT_EQ(SendMessageW(toolbar.hwnd(), TB_BUTTONCOUNT, 0, 0), 3);
}

TEST_F(WinguiToolbar, KeyboardChoosesAndPressesEnabledButtons)
{
    toolbar.setButtonEnabled(102, false);
    EXPECT_FALSE(toolbar.isButtonEnabled(102));
    SetFocus(form.control(IDC_TEST_LINK));
    postKey(form.control(IDC_TEST_LINK), VK_TAB);
    pumpPending();
    ASSERT_EQ(GetFocus(), toolbar.hwnd());
    postKey(toolbar.hwnd(), VK_RETURN);
    postKey(toolbar.hwnd(), VK_RIGHT);
    postKey(toolbar.hwnd(), VK_SPACE);
    pumpPending();
    EXPECT_EQ(clicked, (std::vector<int>{101, 103})) << "the disabled button is skipped";
    EXPECT_EQ(form.okCalls, 0) << "Enter belongs to the toolbar while it has the focus";
}

TEST_F(WinguiToolbar, MouseClickReachesTheCallback)
{
    RECT button{};
    SendMessageW(toolbar.hwnd(), TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&button));
    const LPARAM point = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    SendMessageW(toolbar.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(toolbar.hwnd(), WM_LBUTTONUP, 0, point);
    pumpPending();
    EXPECT_EQ(clicked, std::vector<int>{103});
}

TEST_F(WinguiToolbar, TooltipAsksTheCallbackAndShowsAtMost160Characters)
{
    std::vector<int> asked;
    toolbar.tooltipText = [&](int command) {
        asked.push_back(command);
        return command == 102 ? std::wstring(200, L't') : std::wstring(L"Save the profile");
    };
    auto tooltip = reinterpret_cast<HWND>(SendMessageW(toolbar.hwnd(), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tooltip, nullptr);
    auto tipOf = [&](int command) {
        wchar_t text[512] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = toolbar.hwnd();
        tool.uId = static_cast<UINT_PTR>(command);
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    EXPECT_EQ(tipOf(101), L"Save the profile");
    EXPECT_EQ(tipOf(102), std::wstring(160, L't'));
    EXPECT_EQ(asked, (std::vector<int>{101, 102}));
}
