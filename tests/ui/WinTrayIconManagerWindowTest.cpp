#include "ui/TrayIconManagerWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingTrayArea : public TrayIconPlatform {
public:
    bool add(const TrayIconData& data) override { return record(L"add", data); }
    bool modifyIcon(const TrayIconData& data) override { return record(L"modify", data); }
    bool remove(const TrayIconData& data) override { return record(L"remove", data); }

    std::vector<std::wstring> calls;
    TrayIconData last;

private:
    bool record(const wchar_t* call, const TrayIconData& data)
    {
        calls.push_back(call);
        last = data;
        return true;
    }
};

class CountingTrayWindow : public TrayIconManagerWindow {
public:
    using TrayIconManagerWindow::TrayIconManagerWindow;
    int leftClicks = 0;
    int rightClicks = 0;

protected:
    void onLeftButtonDown() override { ++leftClicks; }
    void onRightButtonDown() override { ++rightClicks; }
};

} // namespace

TEST(TrayIconManagerWindow, OwnsTheIconFollowsTheTaskbarAndPassesOnButtonDowns)
{
    const auto area = std::make_shared<RecordingTrayArea>();
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    {
        CountingTrayWindow tray(area);
        ASSERT_TRUE(tray.create());
        EXPECT_FALSE(IsWindowVisible(tray.hwnd()));
        ASSERT_TRUE(tray.addIcon(icon, L"Vantrel"));
        EXPECT_EQ(area->last.owner, reinterpret_cast<std::uintptr_t>(tray.hwnd()));
        EXPECT_EQ(area->last.callbackMessage, static_cast<unsigned>(WM_APP));
        EXPECT_EQ(area->last.id, 1);

        SendMessageW(tray.hwnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        EXPECT_EQ(area->calls.back(), L"modify");
        EXPECT_EQ(area->last.icon, icon);

        for (const UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_RBUTTONDOWN})
            SendMessageW(tray.hwnd(), WM_APP, 1, mouse);
        EXPECT_EQ(tray.leftClicks, 1);
        EXPECT_EQ(tray.rightClicks, 1);
    }
    EXPECT_EQ(area->calls, (std::vector<std::wstring>{L"add", L"modify", L"remove"}));
}

TEST(TrayIconManagerWindow, WithoutItsWindowNoIconIsAdded)
{
    const auto area = std::make_shared<RecordingTrayArea>();
    CountingTrayWindow tray(area);
    EXPECT_FALSE(tray.addIcon(LoadIconW(nullptr, IDI_APPLICATION), L"Vantrel"));
    EXPECT_TRUE(area->calls.empty());
}
