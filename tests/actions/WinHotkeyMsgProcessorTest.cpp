#include "actions/WinHotkey.h"
#include "actions/WinHotkeyMsgProcessor.h"
#include "actions/WinHotkeyPlatform.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

MSG message(UINT kind, WPARAM id)
{
    MSG made{};
    made.message = kind;
    made.wParam = id;
    return made;
}

} // namespace

TEST(WinHotkeyMsgProcessorTest, RunsTheCallbackOfTheHotkeyWithTheMessagesIdAndConsumesIt)
{
    const auto list = std::make_shared<WinHotkeyList>(nullptr);
    std::vector<const Hotkey*> fired;
    const auto hotkey = std::make_shared<WinHotkey>(nullptr, [&fired](const Hotkey* which) { fired.push_back(which); });
    hotkey->id = 7;
    list->addHotkey(hotkey, false, false);
    WinHotkeyMsgProcessor processor(list);

    EXPECT_TRUE(processor.processMessage(message(WM_HOTKEY, 7)));
    EXPECT_FALSE(processor.processMessage(message(WM_HOTKEY, 8))) << "an id no hotkey has passes on";
    EXPECT_FALSE(processor.processMessage(message(WM_KEYDOWN, 7)));
    EXPECT_EQ(fired, std::vector<const Hotkey*>{hotkey.get()});
}

TEST(WinHotkeyPlatformTest, RegistersOnceForThisThreadAndUnregisters)
{
    WinHotkeyPlatform platform;
    // Ctrl+Alt+Shift+F11: unlikely to be taken by anything in the test prefix.
    ASSERT_TRUE(platform.registerHotkey(0xB001, 7, VK_F11));
    EXPECT_FALSE(platform.registerHotkey(0xB002, 7, VK_F11)) << "the same combination is taken";
    EXPECT_TRUE(platform.unregisterHotkey(0xB001));
    EXPECT_FALSE(platform.unregisterHotkey(0xB001));
}
