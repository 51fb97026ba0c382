#include "monitor/FakeMonitorControl.h"
#include "monitor/MonitorMultiControl.h"

#include <gtest/gtest.h>

namespace {

struct ExternalMonitor {
    // DDC/CI serves brightness, contrast and gains; the gamma ramp brightness and gains.
    std::shared_ptr<FakeMonitorControl> ddc = std::make_shared<FakeMonitorControl>(L"DDC/CI", ControlMethodHardware);
    std::shared_ptr<FakeMonitorControl> gamma = std::make_shared<FakeMonitorControl>(L"GammaRamp", ControlMethodGammaRamp);

    ExternalMonitor() { gamma->supported = {true, false, false, true, false}; }
    std::vector<std::shared_ptr<MonitorControl>> controls() const { return {ddc, gamma}; }
};

} // namespace

TEST(MonitorMultiControl, PreferredHardwareTakesEveryValueFromDdc)
{
    ExternalMonitor monitor;
    MonitorMultiControl multi(monitor.controls(), ControlMethodHardware);
    for (auto kind : {Brightness, Contrast, RgbGain})
        EXPECT_EQ(multi.controlName(kind), L"DDC/CI");
    EXPECT_EQ(multi.controlMethod(), ControlMethodHardware);
    EXPECT_FALSE(multi.isSupported(ColorTemperature));
    EXPECT_EQ(multi.controlName(RgbDrive), L"");
    EXPECT_EQ(multi.controlMethodFor(RgbDrive), ControlMethodNone);
}

TEST(MonitorMultiControl, PreferredGammaFallsBackForContrastAndMixesMethods)
{
    ExternalMonitor monitor;
    MonitorMultiControl multi(monitor.controls(), ControlMethodGammaRamp);
    EXPECT_EQ(multi.controlName(Brightness), L"GammaRamp");
    EXPECT_EQ(multi.controlName(RgbGain), L"GammaRamp");
    EXPECT_EQ(multi.controlName(Contrast), L"DDC/CI");
    EXPECT_EQ(multi.controlMethod(), ControlMethodNone);

    ASSERT_TRUE(multi.setBrightness(30));
    EXPECT_EQ(monitor.gamma->brightness.current, 30u);
    EXPECT_EQ(monitor.ddc->brightness.sets, 0);
}

TEST(MonitorMultiControl, OnlyAGammaRampServesHardwarePreferenceByFallback)
{
    ExternalMonitor monitor;
    MonitorMultiControl multi({monitor.gamma}, ControlMethodHardware);
    EXPECT_EQ(multi.controlName(Brightness), L"GammaRamp");
    EXPECT_EQ(multi.controlMethod(), ControlMethodGammaRamp);
    std::uint32_t minimum, current, maximum;
    EXPECT_FALSE(multi.getContrast(minimum, current, maximum));
}

TEST(MonitorMultiControl, ChangingThePreferenceSelectsAgain)
{
    ExternalMonitor monitor;
    MonitorMultiControl multi(monitor.controls(), ControlMethodHardware);
    multi.setPreferredControlMethod(ControlMethodGammaRamp);
    EXPECT_EQ(multi.controlName(Brightness), L"GammaRamp");

    MonitorMultiControl empty({}, ControlMethodHardware);
    empty.setPreferredControlMethod(ControlMethodGammaRamp);
    EXPECT_FALSE(empty.isSupported(Brightness));
    EXPECT_EQ(empty.controlMethod(), ControlMethodNone);
}

TEST(MonitorMultiControl, StateTextShapesFollowTheNumberOfBackEnds)
{
    ExternalMonitor monitor;
    monitor.ddc->savedState = "{}";
    MonitorMultiControl one(monitor.controls(), ControlMethodHardware);
    EXPECT_EQ(one.saveState(Original), R"({"control":{"state":"{}","uid":"DDC\/CI"}})");
    EXPECT_EQ(one.saveState(Controlled), "{}");
}

TEST(MonitorMultiControl, RestoresEveryPresentBackEndAndIgnoresMissingOnes)
{
    ExternalMonitor monitor;
    monitor.ddc->savedState = R"({"x":"1"})";
    monitor.gamma->savedState = R"({"y":"2"})";
    const std::string saved = MonitorMultiControl(monitor.controls(), ControlMethodHardware).saveState(Original);

    MonitorMultiControl gammaOnly({monitor.gamma}, ControlMethodHardware);
    EXPECT_TRUE(gammaOnly.restoreState(Original, saved));
    EXPECT_EQ(monitor.gamma->restoredState, R"({"y":"2"})");
    EXPECT_EQ(monitor.ddc->restores, 0);

    monitor.ddc->restoreFails = true;
    MonitorMultiControl both(monitor.controls(), ControlMethodHardware);
    EXPECT_FALSE(both.restoreState(Original, saved));
    EXPECT_EQ(monitor.gamma->restores, 2);
}

TEST(MonitorMultiControl, AnUnreadableStateTouchesNoBackEnd)
{
    ExternalMonitor monitor;
    MonitorMultiControl multi(monitor.controls(), ControlMethodHardware);
    EXPECT_FALSE(multi.restoreState(Original, R"({"control":{"uid":"DDC\/CI"}})"));
    EXPECT_FALSE(multi.restoreState(Original, "garbage"));
    // An inner text holding a character beyond one byte is damage, not text to cut down.
    EXPECT_FALSE(multi.restoreState(Original, R"({"control":{"state":"{Ģ}","uid":"DDC\/CI"}})"));
    EXPECT_EQ(monitor.ddc->restores + monitor.gamma->restores, 0);
}
