#include "backends/FakeDisplayDevicesApi.h"
#include "backends/FakeWmiApi.h"
#include "backends/WbemLocator.h"
#include "backends/WbemServices.h"
#include "backends/WbemVariants.h"
#include "backends/WinDisplayDevicesInfo.h"
#include "backends/WinWmiMonitorControl.h"
#include "backends/WinWmiMonitorIds2DdiMap.h"
#include "backends/WinWmiMonitorsManager.h"
#include "monitor/MonitorControlGenericState.h"
#include "persistence/kelJson2SerializationStreams.h"

#include <gtest/gtest.h>

namespace {

const std::wstring panelName = L"DISPLAY\\SDC4152\\4&2d5f1e0&0&UID4352_0";
const std::wstring panelPath = L"\\\\?\\DISPLAY#SDC4152#4&2d5f1e0&0&UID4352#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";
const std::wstring externalName = L"DISPLAY\\DEL4012\\5&1a2b3c&0&UID257_0";
const std::wstring externalPath = L"\\\\?\\DISPLAY#DEL4012#5&1a2b3c&0&UID257#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";

// A laptop: a built-in panel with WMI brightness and an external monitor
// that WMI identifies but cannot dim.
class WinWmiMonitorControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        addMonitorId(panelName, L"SDC", L"4152");
        addMonitorId(externalName, L"DEL", L"4012");
        space.addInstance(L"WmiMonitorBrightness", {{L"InstanceName", {fakeText(externalName + L"x")}},
                                                    {L"CurrentBrightness", {fakeInteger(VT_UI1, 10)}}});
        space.addInstance(L"WmiMonitorBrightness", {{L"InstanceName", {fakeText(panelName)}},
                                                    {L"CurrentBrightness", {fakeInteger(VT_UI1, 70)}}});
        space.addInstance(L"WmiMonitorBrightnessMethods", {{L"InstanceName", {fakeText(panelName)}}});
        space.classes[L"WmiMonitorBrightnessMethods"].methods = {{L"WmiSetBrightness", {L"Timeout", L"Brightness"}}};

        FakeDisplayDevicesApi devices;
        devices.addAdapter(L"\\\\.\\DISPLAY1").monitors = {
            {L"\\\\.\\DISPLAY1\\Monitor0", L"Generic PnP Monitor", L"MONITOR\\SDC4152\\0000", panelPath}};
        devices.addAdapter(L"\\\\.\\DISPLAY2").monitors = {
            {L"\\\\.\\DISPLAY2\\Monitor0", L"Dell U2415", L"MONITOR\\DEL4012\\0001", externalPath}};
        snapshot = std::make_shared<WinDisplayDevicesInfo>(devices);
        platform->wmi = api;
    }

    void TearDown() override
    {
        EXPECT_EQ(space.liveObjects(), 0) << "a COM object was not released";
        EXPECT_EQ(space.overReleases, 0);
    }

    void addMonitorId(const std::wstring& name, const std::wstring& manufacturer, const std::wstring& product)
    {
        space.addInstance(L"WmiMonitorID", {{L"InstanceName", {fakeText(name)}},
                                            {L"ManufacturerName", {fakeCodes(manufacturer)}},
                                            {L"ProductCodeID", {fakeCodes(product)}}});
    }

    FakeWmiProperty& panelBrightness()
    {
        return space.classes[L"WmiMonitorBrightness"].instances[1][L"CurrentBrightness"];
    }

    std::shared_ptr<WinWmiMonitorControl> panelControl()
    {
        auto locator = std::make_shared<WbemLocator>(api);
        auto services = locator->connect(L"root\\wmi");
        return std::make_shared<WinWmiMonitorControl>(locator, services, panelName);
    }

    static std::wstring textOf(const FakeWmiProperty& property)
    {
        return wbemText(property.value->get()).value_or(L"<not a string>");
    }

    FakeWmiNamespace space;
    std::shared_ptr<FakeWmiApi> api = std::make_shared<FakeWmiApi>(space);
    std::shared_ptr<WinMonitorPlatform> platform = std::make_shared<WinMonitorPlatform>();
    std::shared_ptr<DisplayDevicesInfo> snapshot;
};

TEST_F(WinWmiMonitorControlTest, PanelGetsAControlThatSendsBrightnessAsTextWithItsCimTypes)
{
    WinWmiMonitorsManager manager(platform);
    ASSERT_TRUE(manager.enumerateWith(snapshot));

    const auto monitors = manager.monitors();
    ASSERT_EQ(monitors->size(), 1u) << "the external monitor has no brightness instances";
    const auto& panel = monitors->at(0);
    EXPECT_EQ(panel->adapterDevice(), snapshot->adapters()[0]);
    EXPECT_EQ(panel->displayDevice(), snapshot->allMonitors()[0]);
    const auto control = panel->control();
    EXPECT_EQ(control->name(), L"WMI");
    EXPECT_EQ(control->controlName(Brightness), L"WMI");
    EXPECT_EQ(control->controlMethod(), ControlMethodHardware);

    ASSERT_TRUE(control->setBrightness(40));

    ASSERT_EQ(space.methodCalls.size(), 1u);
    const auto& call = space.methodCalls[0];
    EXPECT_EQ(call.path, space.pathOf(L"WmiMonitorBrightnessMethods",
                                      space.classes[L"WmiMonitorBrightnessMethods"].instances[0]));
    EXPECT_EQ(call.method, L"WmiSetBrightness");
    EXPECT_EQ(textOf(call.inputs.at(L"Brightness")), L"40");
    EXPECT_EQ(call.inputs.at(L"Brightness").type, 17);
    EXPECT_EQ(textOf(call.inputs.at(L"Timeout")), L"0");
    EXPECT_EQ(call.inputs.at(L"Timeout").type, 19);
}

TEST_F(WinWmiMonitorControlTest, GetBrightnessReadsTheInstanceAnewEveryTime)
{
    const auto control = panelControl();
    ASSERT_TRUE(control->initialize());
    std::uint32_t minimum = 1, current = 0, maximum = 0;
    ASSERT_TRUE(control->getBrightness(minimum, current, maximum));
    EXPECT_EQ(minimum, 0u);
    EXPECT_EQ(current, 70u);
    EXPECT_EQ(maximum, 100u);

    // Another program dims the panel.
    panelBrightness().value = fakeInteger(VT_UI1, 25);
    ASSERT_TRUE(control->getBrightness(minimum, current, maximum));
    EXPECT_EQ(current, 25u);
}

TEST_F(WinWmiMonitorControlTest, CurrentBrightnessIsReadByItsActualType)
{
    struct Case {
        const char* what;
        std::shared_ptr<const kelWinVariant> value;
        bool read;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"unsigned byte", fakeInteger(VT_UI1, 90), true, 90},
        {"32-bit integer", fakeInteger(VT_I4, 55), true, 55},
        {"unsigned 32-bit", fakeInteger(VT_UI4, 100), true, 100},
        {"16-bit integer", fakeInteger(VT_I2, 5), true, 5},
        {"negative", fakeInteger(VT_I4, -1), false, 0},
        {"a string", fakeText(L"70"), false, 0},
        {"null", fakeInteger(VT_NULL, 0), false, 0},
        {"an array", fakeCodes(L"F"), false, 0},
    };
    const auto control = panelControl();
    ASSERT_TRUE(control->initialize());
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        panelBrightness().value = test.value;
        std::uint32_t minimum = 0, current = 0, maximum = 0;
        EXPECT_EQ(control->getBrightness(minimum, current, maximum), test.read);
        if (test.read) {
            EXPECT_EQ(current, test.expected);
        }
    }
}

TEST_F(WinWmiMonitorControlTest, MonitorWithoutEitherBrightnessInstanceGetsNoControl)
{
    struct Case {
        const char* what;
        const wchar_t* removedClass;
    };
    for (const Case& test : {Case{"no methods instance", L"WmiMonitorBrightnessMethods"},
                             Case{"no brightness instance", L"WmiMonitorBrightness"}}) {
        SCOPED_TRACE(test.what);
        const auto kept = space.classes[test.removedClass].instances;
        space.classes[test.removedClass].instances.clear();

        EXPECT_FALSE(panelControl()->initialize());
        WinWmiMonitorsManager manager(platform);
        EXPECT_TRUE(manager.enumerateWith(snapshot));
        EXPECT_TRUE(manager.monitors()->empty());
        EXPECT_TRUE(manager.idMap()->findByInstanceName(panelName).monitor) << "the id still matched its device";

        space.classes[test.removedClass].instances = kept;
    }
}

TEST_F(WinWmiMonitorControlTest, ServesBrightnessOnly)
{
    const auto control = panelControl();
    EXPECT_FALSE(control->isSupported(Brightness)) << "not before initialisation";
    ASSERT_TRUE(control->initialize());

    EXPECT_TRUE(control->isSupported(Brightness));
    std::uint32_t minimum = 0, current = 0, maximum = 0;
    for (auto kind : {Contrast, ColorTemperature, RgbGain, RgbDrive})
        EXPECT_FALSE(control->isSupported(kind)) << kind;
    EXPECT_FALSE(control->getContrast(minimum, current, maximum));
    EXPECT_FALSE(control->setContrast(50));
    int index = 0;
    EXPECT_FALSE(control->getColorTemperature(index));
    EXPECT_FALSE(control->isColorTemperatureSupported(2));
    EXPECT_FALSE(control->getGain(Red, minimum, current, maximum));
    EXPECT_FALSE(control->setDrive(Blue, 10));
    EXPECT_TRUE(space.methodCalls.empty());
}

TEST_F(WinWmiMonitorControlTest, OriginalStateIsTheGenericStateWithBrightnessOnly)
{
    const auto control = panelControl();
    ASSERT_TRUE(control->initialize());

    const std::string saved = control->saveState(Original);
    MonitorControlGenericState state;
    ASSERT_TRUE(loadFromJsonString(state, saved)) << saved;
    EXPECT_EQ(state.have, MonitorControlGenericState::haveBrightness);
    EXPECT_FLOAT_EQ(state.brightness, 0.7f);
    EXPECT_EQ(control->saveState(Controlled), "");
    EXPECT_TRUE(control->restoreState(Controlled, ""));
    EXPECT_TRUE(space.methodCalls.empty());

    panelBrightness().value = fakeInteger(VT_UI1, 20);
    EXPECT_TRUE(control->restoreState(Original, saved));
    ASSERT_EQ(space.methodCalls.size(), 1u);
    EXPECT_EQ(textOf(space.methodCalls[0].inputs.at(L"Brightness")), L"70");
}

TEST_F(WinWmiMonitorControlTest, SetBrightnessFailsWhenWmiRefusesAParameterOrTheMethod)
{
    const auto control = panelControl();
    ASSERT_TRUE(control->initialize());

    space.refusedPuts = {L"Brightness"};
    EXPECT_FALSE(control->setBrightness(40));
    EXPECT_TRUE(space.methodCalls.empty()) << "the method never runs without its brightness";

    space.refusedPuts.clear();
    space.execMethodResult = WBEM_E_PROVIDER_FAILURE;
    EXPECT_FALSE(control->setBrightness(40));
    EXPECT_EQ(space.methodCalls.size(), 1u);

    space.execMethodResult = S_OK;
    space.classes[L"WmiMonitorBrightnessMethods"].methods.clear();
    EXPECT_FALSE(control->setBrightness(40));
}

TEST_F(WinWmiMonitorControlTest, UnreachableWmiListsNothingAndLeavesNoIdMap)
{
    api->createResult = REGDB_E_CLASSNOTREG;
    WinWmiMonitorsManager manager(platform);

    EXPECT_FALSE(manager.enumerateWith(snapshot));
    EXPECT_FALSE(manager.idMap());
    EXPECT_TRUE(manager.monitors()->empty());

    space.connectResult = WBEM_E_ACCESS_DENIED;
    api->createResult = S_OK;
    EXPECT_FALSE(manager.enumerateWith(snapshot));
    EXPECT_FALSE(manager.idMap());

    // Once WMI answers, the next enumeration connects with a fresh locator.
    space.connectResult = S_OK;
    EXPECT_TRUE(manager.enumerateWith(snapshot));
    EXPECT_EQ(manager.monitors()->size(), 1u);
}

TEST_F(WinWmiMonitorControlTest, ManagerConnectsOnceAndKeepsTheIdMapOfItsLastEnumeration)
{
    WinWmiMonitorsManager manager(platform);
    ASSERT_TRUE(manager.enumerateWith(snapshot));
    const auto firstMap = manager.idMap();
    ASSERT_TRUE(manager.enumerateWith(snapshot));

    EXPECT_EQ(api->locatorsCreated, 1);
    const auto map = manager.idMap();
    ASSERT_TRUE(map);
    EXPECT_NE(map, firstMap) << "every enumeration builds a new map";
    EXPECT_EQ(map->snapshot(), snapshot);
    EXPECT_EQ(map->findByInstanceName(panelName).monitor, snapshot->allMonitors()[0]);
    EXPECT_EQ(map->findByInterfacePath(externalPath).monitor, snapshot->allMonitors()[1])
        << "the monitor without WMI brightness is in the map all the same";
    EXPECT_EQ(map->findByInterfacePath(externalPath).id->manufacturerName, L"DEL");
}

} // namespace
