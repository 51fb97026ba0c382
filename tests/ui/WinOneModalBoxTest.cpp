// One modal box at a time: a second request while a box is open brings that
// box to the front instead of nesting a second modal loop inside the first.
#include "ui/VtTrayIconManagerWindow.h"
#include "ui/resource.h"
#include "ui/wingui/ModalBox.h"
#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class NoTrayArea : public TrayIconPlatform {
public:
    bool add(const TrayIconData&) override { return true; }
    bool modifyIcon(const TrayIconData&) override { return true; }
    bool remove(const TrayIconData&) override { return true; }
};

BOOL CALLBACK collectAboutBox(HWND window, LPARAM boxes)
{
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (std::wstring(title) == L"About Vantrel" && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    return TRUE;
}

std::vector<HWND> aboutBoxes()
{
    std::vector<HWND> boxes;
    EnumThreadWindows(GetCurrentThreadId(), collectAboutBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

// What the test asks for from inside the first box's loop, and what it saw.
struct InsideTheBox {
    HWND tray = nullptr;
    HWND mainWindow = nullptr;
    int ticks = 0;
    std::size_t mostBoxes = 0;
    HWND openBoxSeen = nullptr;
    bool mainWindowStayedVisible = true;
};
InsideTheBox inside;

// First tick: the About box is up; the user asks for it again from the tray
// and clicks the icon. Later ticks: count the boxes, then close them all.
void CALLBACK askAgainThenClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    const auto boxes = aboutBoxes();
    inside.mostBoxes = std::max(inside.mostBoxes, boxes.size());
    ++inside.ticks;
    if (inside.ticks == 1) {
        inside.openBoxSeen = wingui::openModalBox(inside.mainWindow);
        PostMessageW(inside.tray, WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0), 0);
        PostMessageW(inside.tray, TrayIconManagerWindow::trayCallbackMessage, 1, WM_LBUTTONDOWN);
        return;
    }
    if (inside.ticks < 4)
        return;
    inside.mainWindowStayedVisible = IsWindowVisible(inside.mainWindow) != FALSE;
    KillTimer(nullptr, timer);
    for (HWND box : boxes)
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace

TEST(OneModalBox, TheTraysAboutIsOwnedByTheMainWindowAndASecondRequestOpensNoOther)
{
    wingui_test::PlainWindow mainWindow(200, 100);
    VtTrayIconManagerWindow tray(GetModuleHandleW(nullptr), nullptr, nullptr, {}, {}, std::make_shared<NoTrayArea>());
    ASSERT_TRUE(tray.create());
    tray.mainWindow = mainWindow.window;
    inside = InsideTheBox{tray.hwnd(), mainWindow.window};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, askAgainThenClose);
    ASSERT_NE(timer, 0u);

    SendMessageW(tray.hwnd(), WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0), 0);

    KillTimer(nullptr, timer);
    EXPECT_NE(inside.openBoxSeen, nullptr) << "the About box was not owned by the main window";
    EXPECT_EQ(inside.mostBoxes, 1u);
    EXPECT_TRUE(inside.mainWindowStayedVisible) << "a click on the icon toggled the window behind the box";
    EXPECT_TRUE(IsWindowEnabled(mainWindow.window));
    EXPECT_TRUE(aboutBoxes().empty());
}

TEST(OneModalBox, NoBoxIsFoundOverAnEnabledWindowOrAWindowWithoutBoxes)
{
    wingui_test::PlainWindow mainWindow(200, 100);
    EXPECT_EQ(wingui::openModalBox(mainWindow.window), nullptr);
    EXPECT_FALSE(wingui::bringOpenModalBoxForward(mainWindow.window));
    EnableWindow(mainWindow.window, FALSE);
    EXPECT_EQ(wingui::openModalBox(mainWindow.window), nullptr);
    EXPECT_EQ(wingui::openModalBox(nullptr), nullptr);
    EnableWindow(mainWindow.window, TRUE);
}
