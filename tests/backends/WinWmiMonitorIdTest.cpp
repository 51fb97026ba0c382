#include "backends/FakeDisplayDevicesApi.h"
#include "backends/FakeWmiApi.h"
#include "backends/WbemServices.h"
#include "backends/WbemVariants.h"
#include "backends/WinDisplayDeviceMultiInfo.h"
#include "backends/WinDisplayDevicesInfo.h"
#include "backends/WinWmiMonitorId.h"
#include "backends/WinWmiMonitorIds2DdiMap.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<const kelWinVariant> customArray(VARTYPE elementType, UINT dimensions)
{
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    SAFEARRAY* array = SafeArrayCreate(elementType, dimensions, bounds);
    auto variant = std::make_shared<kelWinVariant>();
    VARIANT* raw = variant->receive();
    raw->vt = VT_ARRAY | elementType;
    raw->parray = array;
    return variant;
}

TEST(WinWbemIntegerArrayText, ReadsOneCharacterPerIntegerElement)
{
    struct Case {
        const char* what;
        std::shared_ptr<const kelWinVariant> value;
        std::wstring expected;
    };
    const Case cases[] = {
        {"13 letters without a terminator", fakeCodes(L"ThirteenChars"), L"ThirteenChars"},
        {"16 zeros", fakeIntegerArray(VT_I4, std::vector<long long>(16, 0)), L""},
        {"trailing zeros removed", fakeIntegerArray(VT_UI2, {'D', 'E', 'L', 0, 0}), L"DEL"},
        {"inner zero kept", fakeIntegerArray(VT_UI1, {'A', 0, 'B', 0}), std::wstring(L"A\0B", 3)},
        {"low 16 bits of a wide element", fakeIntegerArray(VT_UI4, {0x10041, 0x20042}), L"AB"},
        {"signed bytes", fakeCodes(L"abc", VT_I1), L"abc"},
        {"every integer element type", fakeCodes(L"x", VT_INT), L"x"},
        {"unsigned int elements", fakeCodes(L"y", VT_UINT), L"y"},
        {"short elements", fakeCodes(L"z", VT_I2), L"z"},
        {"empty array", fakeIntegerArray(VT_I4, {}), L""},
        {"a string, not an array", fakeText(L"Panel"), L""},
        {"a single integer", fakeInteger(VT_I4, 'A'), L""},
        {"an array of 64-bit integers", fakeIntegerArray(VT_I8, {'A', 'B'}), L""},
        {"an array of doubles", customArray(VT_R8, 1), L""},
        {"an array of strings", customArray(VT_BSTR, 1), L""},
        {"two dimensions", customArray(VT_I4, 2), L""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(wbemIntegerArrayText(test.value->get()), test.expected);
    }
    VARIANT nullArray;
    VariantInit(&nullArray);
    nullArray.vt = VT_ARRAY | VT_I4;
    nullArray.parray = nullptr;
    EXPECT_EQ(wbemIntegerArrayText(nullArray), L"");
}

class WinWmiMonitorIdTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(space.liveObjects(), 0) << "a COM object was not released";
        EXPECT_EQ(space.overReleases, 0);
    }

    WinWmiMonitorIdList load()
    {
        WbemServices services(adoptFake<IWbemServices>(space.make<FakeWbemServices>()));
        return loadWmiMonitorIds(services);
    }

    void addId(FakeWmiProperties properties) { space.addInstance(L"WmiMonitorID", std::move(properties)); }

    FakeWmiNamespace space;
};

TEST_F(WinWmiMonitorIdTest, LoadsNamedIdsInOrderAndLeavesUnreadableFieldsEmpty)
{
    addId({{L"InstanceName", {fakeText(L"DISPLAY\\SDC4152\\4&1&UID4352_0")}},
           {L"ManufacturerName", {fakeCodes(L"SDC")}},
           {L"ProductCodeID", {fakeCodes(L"4152")}},
           {L"SerialNumberID", {fakeIntegerArray(VT_UI2, std::vector<long long>(16, 0))}},
           {L"UserFriendlyName", {fakeCodes(L"ThirteenChars")}}});
    addId({{L"InstanceName", {fakeInteger(VT_I4, 7)}}, {L"ManufacturerName", {fakeCodes(L"NUM")}}});
    addId({{L"InstanceName", {fakeText(L"")}}, {L"ManufacturerName", {fakeCodes(L"EMP")}}});
    addId({{L"ManufacturerName", {fakeCodes(L"NON")}}});
    addId({{L"InstanceName", {fakeText(L"DISPLAY\\DEL4012\\5&2&UID1_0")}},
           {L"ManufacturerName", {fakeText(L"DEL")}},
           {L"ProductCodeID", {fakeCodes(L"4012")}},
           {L"UserFriendlyName", {fakeCodes(L"DELL U2415", VT_UI1)}}});

    const auto ids = load();

    ASSERT_EQ(ids.size(), 2u) << "ids without a string instance name are dropped";
    EXPECT_EQ(ids[0]->instanceName, L"DISPLAY\\SDC4152\\4&1&UID4352_0");
    EXPECT_EQ(ids[0]->manufacturerName, L"SDC");
    EXPECT_EQ(ids[0]->productCode, L"4152");
    EXPECT_EQ(ids[0]->serialNumber, L"");
    EXPECT_EQ(ids[0]->friendlyName, L"ThirteenChars");
    EXPECT_EQ(ids[1]->instanceName, L"DISPLAY\\DEL4012\\5&2&UID1_0");
    EXPECT_EQ(ids[1]->manufacturerName, L"") << "a string where an array belongs";
    EXPECT_EQ(ids[1]->productCode, L"4012");
    EXPECT_EQ(ids[1]->serialNumber, L"") << "a property that is missing";
    EXPECT_EQ(ids[1]->friendlyName, L"DELL U2415");
}

TEST_F(WinWmiMonitorIdTest, NoClassGivesNoIds)
{
    EXPECT_TRUE(load().empty());
}

// A snapshot of two adapters; the first monitor has no interface path.
class WinWmiMonitorIds2DdiMapTest : public ::testing::Test {
protected:
    std::shared_ptr<DisplayDevicesInfo> snapshotWith(const std::wstring& interfacePath)
    {
        FakeDisplayDevicesApi api;
        api.addAdapter(L"\\\\.\\DISPLAY1").monitors = {
            {L"\\\\.\\DISPLAY1\\Monitor0", L"No Path", L"MONITOR\\SDC4152\\0000", L""}};
        api.addAdapter(L"\\\\.\\DISPLAY2").monitors = {
            {L"\\\\.\\DISPLAY2\\Monitor0", L"Panel", L"MONITOR\\SDC4152\\0001", interfacePath}};
        return std::make_shared<WinDisplayDevicesInfo>(api);
    }

    static std::shared_ptr<const WinWmiMonitorId> id(std::wstring instanceName, std::wstring manufacturer,
                                                     std::wstring product)
    {
        return std::make_shared<const WinWmiMonitorId>(
            WinWmiMonitorId{std::move(instanceName), std::move(manufacturer), std::move(product), L"", L""});
    }
};

TEST_F(WinWmiMonitorIds2DdiMapTest, MatchesTheUniqueIdTokenAndTheKeyOnlyAsWholeWords)
{
    const std::wstring panelId = L"DISPLAY\\SDC4152\\4&2d5f1e0&0&UID4352_0";
    struct Case {
        const char* what;
        std::wstring interfacePath;
        std::wstring instanceName;
        std::wstring manufacturer;
        bool matches;
    };
    const Case cases[] = {
        {"token followed by a number sign", L"\\\\?\\DISPLAY#SDC4152#4&2d5f1e0&0&UID4352#{e6f07b5f}", panelId, L"SDC",
         true},
        {"token followed by another digit", L"\\\\?\\DISPLAY#SDC4152#4&2d5f1e0&0&UID43521#{e6f07b5f}", panelId, L"SDC",
         false},
        {"token at the very end", L"\\\\?\\DISPLAY#SDC4152#4&2d5f1e0&0&UID4352", panelId, L"SDC", true},
        {"key preceded by a letter", L"\\\\?\\DISPLAY#XSDC4152#4&2d5f1e0&0&UID4352#{e6f07b5f}", panelId, L"SDC",
         false},
        {"key followed by a letter", L"\\\\?\\DISPLAY#SDC4152A#4&2d5f1e0&0&UID4352#{e6f07b5f}", panelId, L"SDC",
         false},
        {"key at the start", L"SDC4152#4&2d5f1e0&0&UID4352#{e6f07b5f}", panelId, L"SDC", true},
        {"a later whole-word occurrence", L"\\\\?\\DISPLAY#SDC41521#&UID43521#SDC4152#&UID4352#", panelId, L"SDC",
         true},
        {"another unique id", L"\\\\?\\DISPLAY#SDC4152#4&2d5f1e0&0&UID4353#{e6f07b5f}", panelId, L"SDC", false},
        {"instance name without &UID", L"\\\\?\\DISPLAY#SDC4152#4&2d5f1e0&0&UID4352#{e6f07b5f}",
         L"DISPLAY\\SDC4152\\4&2d5f1e0&0_0", L"SDC", false},
        {"no manufacturer", L"\\\\?\\DISPLAY#SDC4152#4&2d5f1e0&0&UID4352#{e6f07b5f}", panelId, L"", false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        const auto snapshot = snapshotWith(test.interfacePath);
        const auto panel = id(test.instanceName, test.manufacturer, L"4152");
        const WinWmiMonitorIds2DdiMap map(snapshot, {panel});

        const WmiMonitorMatch match = map.findByInstanceName(test.instanceName);
        const WmiMonitorMatch byPath = map.findByInterfacePath(test.interfacePath);
        if (test.matches) {
            EXPECT_EQ(match.adapter, snapshot->adapters()[1]);
            EXPECT_EQ(match.monitor, snapshot->monitorsOf(snapshot->adapters()[1])[0]);
            EXPECT_EQ(match.id, panel);
            EXPECT_EQ(byPath.id, panel);
        } else {
            EXPECT_FALSE(match.adapter || match.monitor || match.id);
            EXPECT_FALSE(byPath.id);
        }
    }
}

TEST_F(WinWmiMonitorIds2DdiMapTest, IdWithoutManufacturerStillHasItsEntryUnderItsInstanceName)
{
    const std::wstring path = L"\\\\?\\DISPLAY#SDC4152#4&1&UID4352#{e6f07b5f}";
    const std::wstring name = L"DISPLAY\\SDC4152\\4&1&UID4352_0";
    const auto snapshot = snapshotWith(path);
    const auto matching = id(name, L"SDC", L"4152");

    const WinWmiMonitorIds2DdiMap alone(snapshot, {matching});
    ASSERT_EQ(alone.findByInstanceName(name).id, matching);

    // The later id's empty match replaces the earlier one under the same name,
    // which shows that the unmatched id has an entry of its own.
    const WinWmiMonitorIds2DdiMap replaced(snapshot, {matching, id(name, L"", L"4152")});
    const WmiMonitorMatch match = replaced.findByInstanceName(name);
    EXPECT_FALSE(match.adapter || match.monitor || match.id);
    EXPECT_EQ(replaced.findByInterfacePath(path).id, matching) << "the path entry of the match stays";
    EXPECT_FALSE(replaced.findByInstanceName(L"unknown").id);
    EXPECT_EQ(replaced.snapshot(), snapshot);
}

TEST(WinDisplayDeviceMultiInfo, ShowsWmiNamesOverTheInnerMonitor)
{
    FakeDisplayDevicesApi api;
    api.addAdapter(L"\\\\.\\DISPLAY1").monitors = {
        {L"\\\\.\\DISPLAY1\\Monitor0", L"Generic PnP Monitor", L"MONITOR\\SDC4152\\0000", L"\\\\?\\DISPLAY#SDC4152#1"}};
    const WinDisplayDevicesInfo snapshot(api);
    const auto inner = snapshot.allMonitors()[0];
    const auto named = std::make_shared<const WinWmiMonitorId>(
        WinWmiMonitorId{L"DISPLAY\\SDC4152\\1_0", L"SDC", L"4152", L"12345", L"Built-in Panel"});
    const auto unnamed = std::make_shared<const WinWmiMonitorId>(
        WinWmiMonitorId{L"DISPLAY\\SDC4152\\1_0", L"SDC", L"4152", L"12345", L""});

    const WinDisplayDeviceMultiInfo withName(inner, named);
    EXPECT_EQ(withName.displayName(), L"Built-in Panel");
    EXPECT_EQ(withName.manufacturerName(), L"SDC");
    EXPECT_EQ(withName.productCode(), L"4152");
    EXPECT_EQ(withName.serialNumber(), L"12345");
    EXPECT_EQ(withName.deviceName(), L"\\\\.\\DISPLAY1\\Monitor0");
    EXPECT_EQ(withName.instanceName(), L"\\\\?\\DISPLAY#SDC4152#1");
    EXPECT_EQ(withName.isActive(), 1);
    EXPECT_EQ(withName.wrappedDevice(), inner);
    EXPECT_EQ(platformDisplayName(withName), L"Generic PnP Monitor");

    const WinDisplayDeviceMultiInfo emptyName(inner, unnamed);
    EXPECT_EQ(emptyName.displayName(), L"Generic PnP Monitor");
    EXPECT_EQ(emptyName.serialNumber(), L"12345");

    const WinDisplayDeviceMultiInfo withoutWmi(inner, nullptr);
    EXPECT_EQ(withoutWmi.displayName(), L"Generic PnP Monitor");
    EXPECT_EQ(withoutWmi.manufacturerName(), L"");
    EXPECT_EQ(withoutWmi.productCode(), L"");
    EXPECT_EQ(withoutWmi.serialNumber(), L"");
}

} // namespace
