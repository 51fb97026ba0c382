#include "backends/WinGammaRampMonitorsManager.h"
#include "backends/FakeDisplayDevicesApi.h"
#include "backends/FakeGammaRampApi.h"

#include <gtest/gtest.h>

namespace {

FakeDisplayDevicesApi::Monitor monitor(std::wstring deviceName)
{
    return {std::move(deviceName), L"Generic Non-PnP Monitor", L"MONITOR\\Default_Monitor", L""};
}

class WinGammaRampMonitorsManagerTest : public testing::Test {
protected:
    WinGammaRampMonitorsManagerTest()
    {
        displays->addAdapter(L"\\\\.\\DISPLAY1").monitors = {monitor(L"\\\\.\\DISPLAY1\\Monitor0"),
                                                             monitor(L"\\\\.\\DISPLAY1\\Monitor1")};
        displays->addAdapter(L"\\\\.\\DISPLAY2").monitors = {monitor(L"\\\\.\\DISPLAY2\\Monitor0")};
        displays->addAdapter(L"\\\\.\\DISPLAY3").monitors = {monitor(L"\\\\.\\DISPLAY3\\Monitor0")};
        cards->cards[L"\\\\.\\DISPLAY1"];
        cards->cards[L"\\\\.\\DISPLAY2"];
        cards->cards[L"\\\\.\\DISPLAY3"].getFails = true;
        auto platform = std::make_shared<WinMonitorPlatform>();
        platform->displayDevices = displays;
        platform->gammaRamp = cards;
        manager = std::make_shared<WinGammaRampMonitorsManager>(platform);
    }

    std::shared_ptr<FakeDisplayDevicesApi> displays = std::make_shared<FakeDisplayDevicesApi>();
    std::shared_ptr<FakeGammaRampApi> cards = std::make_shared<FakeGammaRampApi>();
    std::shared_ptr<WinGammaRampMonitorsManager> manager;
};

TEST_F(WinGammaRampMonitorsManagerTest, ListsOneControlPerMonitorWhoseDisplayTakesARamp)
{
    ASSERT_TRUE(manager->refresh());
    const auto list = manager->monitors();
    ASSERT_EQ(list->size(), 3u) << "DISPLAY3's ramp cannot be read";
    const wchar_t* const expected[][2] = {{L"\\\\.\\DISPLAY1", L"\\\\.\\DISPLAY1\\Monitor0"},
                                          {L"\\\\.\\DISPLAY1", L"\\\\.\\DISPLAY1\\Monitor1"},
                                          {L"\\\\.\\DISPLAY2", L"\\\\.\\DISPLAY2\\Monitor0"}};
    for (std::size_t index = 0; index < list->size(); ++index) {
        const auto& found = (*list)[index];
        EXPECT_EQ(found->adapterDevice()->deviceName(), expected[index][0]);
        EXPECT_EQ(found->displayDevice()->deviceName(), expected[index][1]);
        EXPECT_EQ(found->control()->name(), L"GammaRamp");
        EXPECT_TRUE(found->control()->isSupported(Brightness));
    }
    EXPECT_NE((*list)[0]->control(), (*list)[1]->control()) << "monitors of one adapter get controls of their own";
    EXPECT_EQ(cards->openDCs(), 3u) << "the dropped control has let its device context go";

    ASSERT_TRUE((*list)[2]->control()->setBrightness(50));
    EXPECT_EQ(cards->cards[L"\\\\.\\DISPLAY2"].sets, 1);
    EXPECT_EQ(cards->cards[L"\\\\.\\DISPLAY1"].sets, 0);
}

TEST_F(WinGammaRampMonitorsManagerTest, FindingNoRampStillSucceeds)
{
    for (auto& [name, card] : cards->cards)
        card.createFails = true;
    EXPECT_TRUE(manager->refresh());
    EXPECT_TRUE(manager->monitors()->empty());
}

TEST_F(WinGammaRampMonitorsManagerTest, ARefreshReplacesTheControls)
{
    ASSERT_TRUE(manager->refresh());
    auto first = manager->monitors();
    ASSERT_TRUE(manager->refresh());
    const auto second = manager->monitors();
    ASSERT_EQ(second->size(), 3u);
    EXPECT_NE((*first)[0]->control(), (*second)[0]->control());
    EXPECT_EQ(cards->openDCs(), 6u) << "the old list still holds its controls";
    first.reset();
    EXPECT_EQ(cards->openDCs(), 3u);
}

} // namespace
