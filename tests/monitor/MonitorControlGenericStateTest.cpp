#include "monitor/FakeMonitorControl.h"
#include "monitor/MonitorControlGenericState.h"
#include "persistence/kelJson2SerializationStreams.h"

#include <gtest/gtest.h>

TEST(MonitorControlGenericState, WritesTheKnownJsonText)
{
    MonitorControlGenericState state;
    state.brightness = 0.5f;
    state.contrast = 0.75f;
    state.red = state.green = state.blue = 1.0f;
    state.have = 31;
    EXPECT_EQ(saveToJsonString(state), R"({"b":"1","brightness":"0.5","contrast":"0.75","g":"1","have":"31","r":"1"})");
}

TEST(MonitorControlGenericState, CapturesAndRestoresARangeNotStartingAtZero)
{
    FakeMonitorControl monitor(L"DDC/CI", ControlMethodHardware);
    monitor.brightness = {20, 50, 80};
    monitor.contrast = {0, 30, 60};
    monitor.gains[Green] = {0, 25, 50};
    const std::string saved = saveGenericState(monitor, Original);

    monitor.brightness.current = 80;
    monitor.contrast.current = 0;
    monitor.gains[Green].current = 0;
    EXPECT_TRUE(restoreGenericState(monitor, Original, saved));
    EXPECT_EQ(monitor.brightness.current, 50u);
    EXPECT_EQ(monitor.contrast.current, 30u);
    EXPECT_EQ(monitor.gains[Green].current, 25u);
}

TEST(MonitorControlGenericState, RestoresOnlyTheValuesItHas)
{
    FakeMonitorControl monitor(L"DDC/CI", ControlMethodHardware);
    MonitorControlGenericState state;
    state.brightness = 1.0f;
    state.contrast = 1.0f;
    state.red = 1.0f;
    state.have = MonitorControlGenericState::haveBrightness;
    EXPECT_TRUE(restoreGenericState(monitor, Original, saveToJsonString(state)));
    EXPECT_EQ(monitor.brightness.current, 100u);
    EXPECT_EQ(monitor.contrast.sets, 0);
    EXPECT_EQ(monitor.gains[Red].sets, 0);
}

TEST(MonitorControlGenericState, NeverTouchesColoursOfAControlWithoutGains)
{
    FakeMonitorControl monitor(L"WMI", ControlMethodHardware);
    monitor.supported = {true, false, false, false, false};
    MonitorControlGenericState captured;
    captured.captureFrom(monitor);
    EXPECT_EQ(captured.have, MonitorControlGenericState::haveBrightness);

    MonitorControlGenericState everything;
    everything.have = 31;
    EXPECT_TRUE(everything.applyTo(monitor));
    EXPECT_EQ(monitor.gains[Red].sets + monitor.gains[Green].sets + monitor.gains[Blue].sets, 0);
}

TEST(MonitorControlGenericState, AFailingSetStillAppliesTheRestAndReportsFalse)
{
    FakeMonitorControl monitor(L"DDC/CI", ControlMethodHardware);
    monitor.brightness.setFails = true;
    monitor.gains[Blue].getFails = true;  // skipped without failing the result
    MonitorControlGenericState state;
    state.contrast = 0.2f;
    state.blue = 0.9f;
    state.have = 31;
    EXPECT_FALSE(state.applyTo(monitor));
    EXPECT_EQ(monitor.contrast.current, 20u);
    EXPECT_EQ(monitor.gains[Blue].sets, 0);
}

TEST(MonitorControlGenericState, ControlledStatesAreNotKept)
{
    FakeMonitorControl monitor(L"DDC/CI", ControlMethodHardware);
    EXPECT_EQ(saveGenericState(monitor, Controlled), "");
    EXPECT_TRUE(restoreGenericState(monitor, Controlled, "not even json"));
    EXPECT_EQ(monitor.brightness.sets, 0);
}

TEST(MonitorControlGenericState, DamagedTextsRestoreNothing)
{
    for (const char* text : {R"({"brightness":"0.5","contrast":"0.75","g":"1","have":"31","r":"1"})",
                             R"({"b":"1","brightness":"half","contrast":"0.75","g":"1","have":"31","r":"1"})", "",
                             "[1,2", R"(["a"])"}) {
        FakeMonitorControl monitor(L"DDC/CI", ControlMethodHardware);
        EXPECT_FALSE(restoreGenericState(monitor, Original, text)) << text;
        EXPECT_EQ(monitor.brightness.sets + monitor.contrast.sets, 0) << text;
    }
}
