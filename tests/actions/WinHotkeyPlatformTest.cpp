#include "actions/WinHotkey.h"
#include "actions/WinHotkeyPlatform.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(HotkeyListFireTest, RunsTheCallbackOfTheHotkeyWithThatIdOnly)
{
    const auto list = std::make_shared<WinHotkeyList>(nullptr);
    std::vector<const Hotkey*> fired;
    const auto hotkey = std::make_shared<WinHotkey>(nullptr, [&fired](const Hotkey* which) { fired.push_back(which); });
    hotkey->id = 7;
    list->addHotkey(hotkey, false, false);

    EXPECT_TRUE(list->fire(7));
    EXPECT_FALSE(list->fire(8)) << "no hotkey has that id";
    EXPECT_EQ(fired, std::vector<const Hotkey*>{hotkey.get()});
}

TEST(WinHotkeyPlatformTest, RegistersOnceAndUnregisters)
{
    WinHotkeyPlatform platform;
    ASSERT_NE(platform.window(), nullptr);
    // Ctrl+Alt+Shift+F11: unlikely to be taken by anything in the test prefix.
    ASSERT_TRUE(platform.registerHotkey(0xB001, 7, VK_F11));
    EXPECT_FALSE(platform.registerHotkey(0xB002, 7, VK_F11)) << "the same combination is taken";
    EXPECT_TRUE(platform.unregisterHotkey(0xB001));
    EXPECT_FALSE(platform.unregisterHotkey(0xB001));
}

namespace {

WinHotkeyPlatform* timedPlatform = nullptr;
int timerTicks = 0;

// Runs inside the message box's own loop, which dispatches the timer: the
// first tick stands in for a key press, the second closes the box.
void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (++timerTicks == 1) {
        PostMessageW(timedPlatform->window(), WM_HOTKEY, 0xB003, 0);
        return;
    }
    if (HWND box = FindWindowW(nullptr, L"Hotkey test box")) {
        KillTimer(nullptr, timer);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

} // namespace

// A message box runs a loop of its own, which knows nothing of the
// program's filters: a hotkey reaches the receiver through the platform's
// window all the same.
TEST(WinHotkeyPlatformTest, AHotkeyReachesTheReceiverWhileAMessageBoxIsOpen)
{
    WinHotkeyPlatform platform;
    std::vector<std::uint32_t> received;
    platform.setReceiver([&received](std::uint32_t id) { received.push_back(id); });
    timedPlatform = &platform;
    timerTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &onTimer);
    ASSERT_NE(timer, 0u);

    MessageBoxW(nullptr, L"Closes itself", L"Hotkey test box", MB_OK);

    KillTimer(nullptr, timer);
    timedPlatform = nullptr;
    EXPECT_EQ(received, std::vector<std::uint32_t>{0xB003});
}
