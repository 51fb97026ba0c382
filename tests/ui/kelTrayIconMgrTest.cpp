#include "ui/kelTrayIconMgr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A notification area that records what it was told and can refuse.
class RecordingTrayIconPlatform : public TrayIconPlatform {
public:
    bool add(const TrayIconData& data) override { return record(L"add", data, addSucceeds); }
    bool modifyIcon(const TrayIconData& data) override { return record(L"modify", data, modifySucceeds); }
    bool remove(const TrayIconData& data) override { return record(L"remove", data, true); }

    bool addSucceeds = true;
    bool modifySucceeds = true;
    std::vector<std::wstring> calls;
    TrayIconData last;

private:
    bool record(const wchar_t* call, const TrayIconData& data, bool result)
    {
        calls.push_back(call);
        last = data;
        return result;
    }
};

TrayIcon iconNumber(std::uintptr_t number)
{
    return reinterpret_cast<TrayIcon>(number);
}

} // namespace

TEST(kelTrayIconMgr, ShowsWithItsOwnerMessageAndTipAndRemovesWhenItGoes)
{
    const auto platform = std::make_shared<RecordingTrayIconPlatform>();
    {
        kelTrayIconMgr tray(platform, 1, 0x1234, L"Vantrel", 0x8000);
        ASSERT_TRUE(tray.showIcon(iconNumber(7)));
        EXPECT_EQ(platform->last.id, 1);
        EXPECT_EQ(platform->last.owner, 0x1234u);
        EXPECT_EQ(platform->last.callbackMessage, 0x8000u);
        EXPECT_EQ(platform->last.tip, L"Vantrel");
        EXPECT_EQ(platform->last.icon, iconNumber(7));
    }
    EXPECT_EQ(platform->calls, (std::vector<std::wstring>{L"add", L"remove"}));
}

TEST(kelTrayIconMgr, ARefusedAddLeavesNoIconToRemove)
{
    const auto platform = std::make_shared<RecordingTrayIconPlatform>();
    platform->addSucceeds = false;
    {
        kelTrayIconMgr tray(platform, 1, 0x1234, L"Vantrel", 0x8000);
        EXPECT_FALSE(tray.showIcon(iconNumber(7)));
        EXPECT_EQ(tray.icon(), nullptr);
    }
    EXPECT_EQ(platform->calls, std::vector<std::wstring>{L"add"});
}

TEST(kelTrayIconMgr, ANewTaskbarGetsTheIconChangedOrAddedAgain)
{
    for (const bool newTaskbarKnowsIt : {true, false}) {
        const auto platform = std::make_shared<RecordingTrayIconPlatform>();
        kelTrayIconMgr tray(platform, 1, 0x1234, L"Vantrel", 0x8000);
        tray.showIcon(iconNumber(7));
        platform->modifySucceeds = newTaskbarKnowsIt;
        platform->calls.clear();

        tray.showAgain();

        const std::vector<std::wstring> expected =
            newTaskbarKnowsIt ? std::vector<std::wstring>{L"modify"} : std::vector<std::wstring>{L"modify", L"add"};
        EXPECT_EQ(platform->calls, expected);
        EXPECT_EQ(platform->last.icon, iconNumber(7));
        EXPECT_EQ(platform->last.tip, L"Vantrel");
    }
}

TEST(kelTrayIconMgr, WithoutAnIconANewTaskbarAddsNothing)
{
    const auto platform = std::make_shared<RecordingTrayIconPlatform>();
    kelTrayIconMgr tray(platform, 1, 0x1234, L"Vantrel", 0x8000);
    tray.showAgain();
    EXPECT_TRUE(platform->calls.empty());
}

TEST(kelTrayIconMgr, ALongTipIsCutToWhatTheAreaHolds)
{
    const auto platform = std::make_shared<RecordingTrayIconPlatform>();
    kelTrayIconMgr tray(platform, 1, 0x1234, std::wstring(300, L'x'), 0x8000);
    tray.showIcon(iconNumber(7));
    EXPECT_EQ(platform->last.tip.size(), 127u);
}

// At logon the taskbar may not be ready: the icon it refused is added by a
// retry or by the next taskbar, and one removed on purpose never comes back.
TEST(kelTrayIconMgr, ARefusedIconIsAddedByARetryOrANewTaskbarButARemovedOneIsNot)
{
    for (const bool byNewTaskbar : {false, true}) {
        const auto platform = std::make_shared<RecordingTrayIconPlatform>();
        kelTrayIconMgr tray(platform, 1, 0x1234, L"Vantrel", 0x8000);
        platform->addSucceeds = false;
        EXPECT_FALSE(tray.showIcon(iconNumber(7)));
        EXPECT_TRUE(tray.isRefused());
        EXPECT_FALSE(tray.retryRefused());
        platform->addSucceeds = true;

        if (byNewTaskbar)
            tray.showAgain();
        else
            EXPECT_TRUE(tray.retryRefused());

        EXPECT_EQ(tray.icon(), iconNumber(7));
        EXPECT_FALSE(tray.isRefused());
        EXPECT_EQ(platform->calls, (std::vector<std::wstring>{L"add", L"add", L"add"}));
        EXPECT_EQ(platform->last.tip, L"Vantrel");
        tray.removeIcon();
        platform->calls.clear();
        EXPECT_FALSE(tray.retryRefused());
        tray.showAgain();
        EXPECT_TRUE(platform->calls.empty());
    }
}
