#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wingui_test;

namespace {

constexpr UINT threadNote = WM_APP + 1;
constexpr UINT swallowed = WM_APP + 2;
constexpr UINT delivered = WM_APP + 3;

class FilteringApplication : public wingui::Application {
public:
    FilteringApplication() : wingui::Application(GetModuleHandleW(nullptr)) {}

    std::function<bool()> onInit = [] { return true; };
    std::vector<UINT> filtered;

protected:
    bool InitInstance() override { return onInit(); }
    bool PreTranslateMessage(MSG& message) override
    {
        if (message.message >= WM_APP)
            filtered.push_back(message.message);
        if (message.message == swallowed)
            return true;
        return wingui::Application::PreTranslateMessage(message);
    }
};

bool contains(const std::vector<UINT>& messages, UINT message)
{
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

} // namespace

TEST(WinguiApplication, RunEndsWithTheQuitCodeOrTheStartFailure)
{
    FilteringApplication quitting;
    quitting.onInit = [] {
        PostQuitMessage(7);
        return true;
    };
    EXPECT_EQ(quitting.Run(), 7);

    FilteringApplication failing;
    failing.onInit = [] {
        // Never reached by a loop: a failed start skips it.
        PostQuitMessage(9);
        return false;
    };
    EXPECT_EQ(failing.Run(), 1);
    MSG leftOver;
    EXPECT_TRUE(PeekMessageW(&leftOver, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(WinguiApplication, FilterSeesMessagesBeforeTheirWindowAndMayConsumeThem)
{
    FilteringApplication application;
    ASSERT_EQ(wingui::Application::current(), &application);
    TestForm form;
    ASSERT_TRUE(form.createModeless(nullptr));
    PostMessageW(form.hwnd(), swallowed, 0, 0);
    PostMessageW(form.hwnd(), delivered, 0, 0);
    pumpPending();
    EXPECT_TRUE(contains(application.filtered, swallowed));
    EXPECT_TRUE(contains(application.filtered, delivered));
    EXPECT_EQ(form.appMessages, std::vector<UINT>{delivered});
}

// A global hotkey arrives as a thread message; a modal dialog of the system
// (DialogBox) would drop it, the layer's modal loop hands it to the filters.
TEST(WinguiApplication, FilterSeesThreadMessagesWhileAModalDialogIsOpen)
{
    FilteringApplication application;
    TestForm form;
    form.onInit = [&] {
        PostThreadMessageW(GetCurrentThreadId(), threadNote, 0, 0);
        PostMessageW(form.hwnd(), WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(form.runModal(nullptr), IDCANCEL);
    EXPECT_TRUE(contains(application.filtered, threadNote));
}
