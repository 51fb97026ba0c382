#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/FakeMonitorsManager.h"
#include "monitor/VtDisplayDeviceInfo.h"
#include "persistence/MemoryTreeStream.h"
#include "persistence/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <locale>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

std::shared_ptr<FakeDisplayDevice> device(std::wstring displayName, std::wstring instanceName)
{
    FakeDisplayDevice::Fields fields;
    fields.displayName = std::move(displayName);
    fields.instanceName = std::move(instanceName);
    fields.manufacturerName = L"DEL";
    fields.productCode = L"A0F1";
    fields.serialNumber = L"SN-" + fields.instanceName;
    return std::make_shared<FakeDisplayDevice>(std::move(fields));
}

std::vector<std::uint32_t> assign(DisplayDeviceInfoDb& db, const DisplayDeviceList& devices)
{
    std::vector<std::uint32_t> ids;
    for (const auto& record : db.assignIds(devices))
        ids.push_back(record->id);
    return ids;
}

using Attributes = std::map<std::wstring, std::wstring>;

Attributes goodNode(const std::wstring& id)
{
    return {{L"displayName", L"Monitor " + id}, {L"instanceName", L"path" + id}, {L"id", id},
            {L"manufacturerName", L"DEL"},      {L"productCode", L"A0F1"},       {L"serialNumber", L"S" + id}};
}

void addNode(MemoryTreeStream& tree, const Attributes& attributes)
{
    const auto node = tree.addChild(L"device");
    for (const auto& [name, value] : attributes)
        node->writeValue(name, value, true);
}

std::vector<std::uint32_t> storedIds(DisplayDeviceInfoDb& db)
{
    std::vector<std::uint32_t> ids;
    for (const auto& record : db.devices())
        ids.push_back(record->id);
    return ids;
}

const auto dellLeft = device(L"Dell U2720Q", L"\\\\?\\DISPLAY#DEL1#port1");
const auto dellRight = device(L"Dell U2720Q", L"\\\\?\\DISPLAY#DEL1#port2");
const auto laptop = device(L"Built-in panel", L"\\\\?\\DISPLAY#LGD#port0");

} // namespace

TEST(DisplayDeviceInfoDb, FirstRunNumbersMonitorsInListOrderAndStoresTheirNames)
{
    DisplayDeviceInfoDb db;
    EXPECT_EQ(assign(db, {laptop, dellLeft}), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_TRUE(db.isModified());
    EXPECT_EQ(db.nextId(), 3u);

    MemoryTreeStream tree;
    ASSERT_TRUE(db.save(tree));
    ASSERT_EQ(tree.childCount(L"device"), 2u);
    const auto second = tree.childAt(L"device", 1);
    EXPECT_EQ(second->value(L"id"), L"2");
    EXPECT_EQ(second->value(L"displayName"), L"Dell U2720Q");
    EXPECT_EQ(second->value(L"instanceName"), dellLeft->instanceName());
    EXPECT_EQ(second->value(L"manufacturerName"), L"DEL");
    EXPECT_EQ(second->value(L"productCode"), L"A0F1");
    EXPECT_EQ(second->value(L"serialNumber"), L"SN-" + dellLeft->instanceName());
}

TEST(DisplayDeviceInfoDb, IdsSurviveARestartThroughTheSettingsFile)
{
    StoreScratchFolder folder;
    {
        auto db = std::make_shared<DisplayDeviceInfoDb>();
        auto manager = makeStoreManager(folder.path());
        manager->registerObject(db, L"monitors.vt");
        assign(*db, {dellLeft, dellRight, laptop});
        ASSERT_TRUE(manager->saveAll(0));
    }
    auto db = std::make_shared<DisplayDeviceInfoDb>();
    ASSERT_TRUE(makeStoreManager(folder.path())->registerObject(db, L"monitors.vt"));
    EXPECT_EQ(assign(*db, {laptop, dellRight, dellLeft}), (std::vector<std::uint32_t>{3, 2, 1}));
    EXPECT_FALSE(db->isModified()) << "monitors found again add nothing";
    EXPECT_EQ(assign(*db, {device(L"New", L"path-new")}), std::vector<std::uint32_t>{4});
}

struct MatchCase {
    const char* label;
    DisplayDeviceList secondRun;
    std::vector<std::uint32_t> expectedIds;
};

class DisplayDeviceInfoDbMatchTest : public testing::TestWithParam<MatchCase> {};

// The first run always lists the two identical monitors, left then right.
INSTANTIATE_TEST_SUITE_P(
    SecondRun, DisplayDeviceInfoDbMatchTest,
    testing::Values(
        MatchCase{"IdenticalMonitorsAreToldApartByIdentity", {dellRight, dellLeft}, {2, 1}},
        MatchCase{"MovedMonitorIsFoundByItsShownName", {device(L"Dell U2720Q", L"port9"), dellRight}, {1, 2}},
        MatchCase{"BothMovedTakeTheNameMatchesInOrder",
                  {device(L"Dell U2720Q", L"p8"), device(L"Dell U2720Q", L"p9")},
                  {1, 2}},
        MatchCase{"AThirdIdenticalOneGetsANewId", {dellLeft, device(L"Dell U2720Q", L"p9"), dellRight}, {1, 3, 2}},
        MatchCase{"NamesCompareCaseSensitively", {device(L"dell u2720q", L"p9")}, {3}},
        MatchCase{"UnlistedRecordStaysForItsReturn", {laptop, dellRight}, {3, 2}}),
    [](const testing::TestParamInfo<MatchCase>& info) { return std::string(info.param.label); });

TEST_P(DisplayDeviceInfoDbMatchTest, FindsEachMonitorsRecord)
{
    DisplayDeviceInfoDb db;
    ASSERT_EQ(assign(db, {dellLeft, dellRight}), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(assign(db, GetParam().secondRun), GetParam().expectedIds);
    EXPECT_EQ(db.devices().front()->instanceName, dellLeft->instanceName()) << "records keep their first names";
    EXPECT_EQ(assign(db, {dellLeft, dellRight}), (std::vector<std::uint32_t>{1, 2})) << "nothing is ever removed";
}

TEST(DisplayDeviceInfoDb, EmptyIdentityOrNameMatchesNothing)
{
    DisplayDeviceInfoDb db;
    ASSERT_EQ(assign(db, {device(L"Panel", L""), device(L"", L"")}), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(assign(db, {device(L"Projector", L""), device(L"Panel", L"")}), (std::vector<std::uint32_t>{3, 1}));
}

TEST(DisplayDeviceInfoDb, ReadingResumesNumberingAboveTheLargestStoredId)
{
    MemoryTreeStream tree;
    addNode(tree, goodNode(L"7"));
    addNode(tree, goodNode(L"3"));
    DisplayDeviceInfoDb db;
    ASSERT_TRUE(db.load(tree));
    EXPECT_EQ(storedIds(db), (std::vector<std::uint32_t>{7, 3}));
    EXPECT_EQ(db.nextId(), 8u);
    EXPECT_FALSE(db.isModified());
    EXPECT_EQ(assign(db, {device(L"Monitor 3", L"elsewhere"), laptop}), (std::vector<std::uint32_t>{3, 8}));
}

struct DamageCase {
    const char* label;
    Attributes node;
    std::uint32_t expectedNextId;
};

Attributes damaged(const std::wstring& name, std::optional<std::wstring> value, const std::wstring& id = L"9")
{
    Attributes node = goodNode(id);
    if (value)
        node[name] = *value;
    else
        node.erase(name);
    return node;
}

class DisplayDeviceInfoDbDamageTest : public testing::TestWithParam<DamageCase> {};

// A damaged node sits between records 2 and 4; an id it still carries is never handed out again.
INSTANTIATE_TEST_SUITE_P(
    Nodes, DisplayDeviceInfoDbDamageTest,
    testing::Values(DamageCase{"NoDisplayName", damaged(L"displayName", std::nullopt), 10},
                    DamageCase{"NoInstanceName", damaged(L"instanceName", std::nullopt), 10},
                    DamageCase{"NoId", damaged(L"id", std::nullopt), 5},
                    DamageCase{"IdNotANumber", damaged(L"id", L"seven"), 5},
                    DamageCase{"NoManufacturer", damaged(L"manufacturerName", std::nullopt), 10},
                    DamageCase{"NoProductCode", damaged(L"productCode", std::nullopt), 10},
                    DamageCase{"NoSerialNumber", damaged(L"serialNumber", std::nullopt), 10},
                    DamageCase{"IdZero", goodNode(L"0"), 5},
                    DamageCase{"IdWithNoSuccessor", goodNode(L"4294967295"), 5},
                    DamageCase{"IdTakenByAnEarlierRecord", goodNode(L"2"), 5}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.label); });

TEST_P(DisplayDeviceInfoDbDamageTest, SkipsTheNodeKeepsTheOthersAndRewritesTheFile)
{
    MemoryTreeStream tree;
    addNode(tree, goodNode(L"2"));
    addNode(tree, GetParam().node);
    addNode(tree, goodNode(L"4"));
    DisplayDeviceInfoDb db;
    ASSERT_TRUE(db.load(tree));
    EXPECT_EQ(storedIds(db), (std::vector<std::uint32_t>{2, 4}));
    EXPECT_EQ(db.nextId(), GetParam().expectedNextId);
    EXPECT_TRUE(db.isModified()) << "the damaged file must be written again";

    MemoryTreeStream rewritten;
    ASSERT_TRUE(db.save(rewritten));
    EXPECT_EQ(rewritten.childCount(L"device"), 2u);
}

struct TopCase {
    const char* label;
    std::vector<Attributes> stored;
    std::vector<std::uint32_t> expectedNewIds;
    std::uint32_t expectedNextId;
};

class DisplayDeviceInfoDbTopTest : public testing::TestWithParam<TopCase> {};

// 4294967295 is never assigned, so 4294967294 is the largest id a monitor can have.
INSTANTIATE_TEST_SUITE_P(
    Stored, DisplayDeviceInfoDbTopTest,
    testing::Values(TopCase{"LargestIdIsFollowedByTheLowestUnused", {goodNode(L"4294967294")}, {1, 2}, 3},
                    TopCase{"IdBelowTheLargestIsStillCountedUpTo", {goodNode(L"4294967293")}, {4294967294u, 1}, 2},
                    TopCase{"GapsBelowAreFilledFromTheBottom",
                            {goodNode(L"4294967293"), goodNode(L"4294967294"), goodNode(L"1"), goodNode(L"2"),
                             goodNode(L"4")},
                            {3, 5, 6},
                            7},
                    TopCase{"IdOfADamagedNodeIsNotTaken",
                            {goodNode(L"4294967294"), damaged(L"displayName", std::nullopt, L"1")},
                            {2, 3},
                            4}),
    [](const testing::TestParamInfo<TopCase>& info) { return std::string(info.param.label); });

TEST_P(DisplayDeviceInfoDbTopTest, NewMonitorsGetIdsNoOtherMonitorHas)
{
    MemoryTreeStream tree;
    for (const auto& node : GetParam().stored)
        addNode(tree, node);
    DisplayDeviceInfoDb db;
    ASSERT_TRUE(db.load(tree));
    DisplayDeviceList fresh;
    for (std::size_t index = 0; index < GetParam().expectedNewIds.size(); ++index)
        fresh.push_back(device(L"New " + std::to_wstring(index), L"new-path" + std::to_wstring(index)));

    EXPECT_EQ(assign(db, fresh), GetParam().expectedNewIds);
    EXPECT_EQ(db.nextId(), GetParam().expectedNextId);
}

TEST(DisplayDeviceInfoDb, IdsAtTheTopReadBackAfterASave)
{
    StoreScratchFolder folder;
    const auto old = device(L"Old", L"path-old");
    const auto first = device(L"New", L"path-new1");
    const auto second = device(L"New", L"path-new2");
    writeBytes(folder.file("monitors.vt"),
               R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel>)"
               R"(<device displayName="Old" instanceName="path-old" id="4294967294" manufacturerName="")"
               R"( productCode="" serialNumber=""/></Vantrel>)");
    {
        auto db = std::make_shared<DisplayDeviceInfoDb>();
        auto manager = makeStoreManager(folder.path());
        ASSERT_TRUE(manager->registerObject(db, L"monitors.vt"));
        EXPECT_EQ(assign(*db, {old, first, second}), (std::vector<std::uint32_t>{4294967294u, 1, 2}));
        ASSERT_TRUE(manager->saveAll(0));
    }
    auto db = std::make_shared<DisplayDeviceInfoDb>();
    ASSERT_TRUE(makeStoreManager(folder.path())->registerObject(db, L"monitors.vt"));
    EXPECT_EQ(assign(*db, {second, old, first}), (std::vector<std::uint32_t>{2, 4294967294u, 1}));
    EXPECT_FALSE(db->isModified());
    EXPECT_EQ(assign(*db, {device(L"Third", L"path-new3")}), std::vector<std::uint32_t>{3});
}

TEST(DisplayDeviceInfoDb, DamagedFileLoadsWhatItCanAndIsRewrittenWholeAtTheNextSave)
{
    StoreScratchFolder folder;
    writeBytes(folder.file("monitors.vt"),
               R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel>)"
               R"(<device displayName="A" instanceName="pa" id="1" manufacturerName="" productCode="")"
               R"( serialNumber=""/><device displayName="B" instanceName="pb" id="5"/>)"
               R"(<device displayName="C" instanceName="pc" id="2" manufacturerName="" productCode="")"
               R"( serialNumber=""/>)"
               R"(</Vantrel>)");
    {
        auto db = std::make_shared<DisplayDeviceInfoDb>();
        auto manager = makeStoreManager(folder.path());
        EXPECT_TRUE(manager->registerObject(db, L"monitors.vt"));
        EXPECT_EQ(storedIds(*db), (std::vector<std::uint32_t>{1, 2}));
        ASSERT_TRUE(manager->saveAll(0));
    }
    const auto bytes = readBytes(folder.file("monitors.vt"));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->find("\"B\""), std::string::npos);
    auto db = std::make_shared<DisplayDeviceInfoDb>();
    ASSERT_TRUE(makeStoreManager(folder.path())->registerObject(db, L"monitors.vt"));
    EXPECT_EQ(storedIds(*db), (std::vector<std::uint32_t>{1, 2}));
    EXPECT_FALSE(db->isModified());
    EXPECT_EQ(db->nextId(), 3u) << "the skipped id is forgotten only once the file no longer holds it";
}

TEST(DisplayDeviceInfoDb, UnreadableFileGivesAnEmptyDatabase)
{
    StoreScratchFolder folder;
    writeBytes(folder.file("monitors.vt"), "<?xml version=\"1.0\"?><Vantrel><device id=\"4\"");
    auto db = std::make_shared<DisplayDeviceInfoDb>();
    makeStoreManager(folder.path())->registerObject(db, L"monitors.vt");
    EXPECT_TRUE(db->devices().empty());
    EXPECT_EQ(assign(*db, {laptop, dellLeft}), (std::vector<std::uint32_t>{1, 2}));
}

TEST(DisplayDeviceInfoDb, WritingFailsWhenTheFormatRefusesANode)
{
    DisplayDeviceInfoDb db;
    assign(db, {laptop});
    MemoryTreeStream refusing;
    refusing.refuseChildren = true;
    EXPECT_FALSE(db.save(refusing));

    StaticDisplayDeviceInfo record(1, *laptop);
    MemoryTreeStream noValues;
    noValues.refuseValues = true;
    EXPECT_FALSE(record.save(noValues));
}

TEST(DisplayDeviceInfoDb, SavingWhileARefreshAddsRecordsIsSafe)
{
    DisplayDeviceInfoDb db;
    std::thread saver([&db] {
        for (int pass = 0; pass < 200; ++pass) {
            MemoryTreeStream tree;
            db.save(tree);
            db.setModified(false);
        }
    });
    for (int index = 0; index < 200; ++index)
        db.assignIds({device(L"M" + std::to_wstring(index), L"path" + std::to_wstring(index))});
    saver.join();
    EXPECT_EQ(db.devices().size(), 200u);
}

namespace {

// Groups digits in threes, as many user locales do.
struct GroupingPunctuation : std::numpunct<wchar_t> {
    wchar_t do_thousands_sep() const override { return L','; }
    std::string do_grouping() const override { return "\3"; }
};

} // namespace

TEST(VtDisplayDeviceInfo, ShowsTheStoredNameWithItsIdAndForwardsTheRest)
{
    const auto plain = device(L"Generic PnP Monitor", L"plain");
    FakeDisplayDevice::Fields fields{0, L"\\\\.\\DISPLAY2", L"Dell U2720Q", L"path", L"DEL", L"A0F1", L"SN1"};
    const auto merged = std::make_shared<FakeDisplayDevice>(fields, plain);
    const VtDisplayDeviceInfo info(merged, VtDisplayDeviceInfo::shownName(L"N", 12), VtDisplayDeviceInfo::idText(12));
    EXPECT_EQ(info.displayName(), L"N #12");
    EXPECT_EQ(info.instanceName(), L"12");
    EXPECT_EQ(info.isActive(), 0);
    EXPECT_EQ(info.deviceName(), L"\\\\.\\DISPLAY2");
    EXPECT_EQ(info.manufacturerName(), L"DEL");
    EXPECT_EQ(info.productCode(), L"A0F1");
    EXPECT_EQ(info.serialNumber(), L"SN1");
    EXPECT_EQ(platformDisplayName(info), L"Generic PnP Monitor");
}

TEST(VtDisplayDeviceInfo, IdsAreNeverGroupedWhateverTheUsersLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new GroupingPunctuation));
    const std::wstring shown = VtDisplayDeviceInfo::shownName(L"N", 12345);
    const std::wstring text = VtDisplayDeviceInfo::idText(12345);
    std::locale::global(previous);
    EXPECT_EQ(shown, L"N #12345");
    EXPECT_EQ(text, L"12345");
}
