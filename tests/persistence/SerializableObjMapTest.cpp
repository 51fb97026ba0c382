#include "persistence/MemoryTreeStream.h"
#include "persistence/SerializableObjMap.h"
#include "persistence/TestRecord.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class RecordMap : public SerializableObjMapById<TestRecord> {
public:
    std::shared_ptr<TestRecord> createItem(kelSerializationIoStream& child) override
    {
        return std::make_shared<TestRecord>();
    }
    void onRemove(const std::shared_ptr<TestRecord>& item) override { removed.push_back(item->name); }

    std::vector<std::wstring> removed;
};

void addItemNode(MemoryTreeStream& node, const std::wstring& id, const std::wstring& name)
{
    auto item = node.addChild(L"item");
    item->writeValue(L"item-id", id, true);
    item->writeValue(L"name", name, true);
    item->writeValue(L"count", L"0", true);
}

} // namespace

TEST(SerializableObjMapTest, RoundTripWritesIdsInAscendingOrder)
{
    RecordMap written;
    written.addItem(7, makeRecord(L"seven", 7));
    written.addItem(3, makeRecord(L"three", 3));
    MemoryTreeStream node;
    ASSERT_TRUE(written.save(node));
    ASSERT_EQ(node.childCount(L"item"), 2u);
    EXPECT_EQ(node.childAt(L"item", 0)->value(L"item-id"), L"3");
    EXPECT_EQ(node.childAt(L"item", 1)->value(L"item-id"), L"7");
    EXPECT_EQ(node.childAt(L"item", 1)->value(L"name"), L"seven");

    RecordMap read;
    read.addItem(1, makeRecord(L"stale"));
    ASSERT_TRUE(read.load(node));
    const auto items = read.getItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items.at(3)->name, L"three");
    EXPECT_EQ(items.at(7)->count, 7);
}

TEST(SerializableObjMapTest, ReadIdsMoveNextIdPastTheLargest)
{
    MemoryTreeStream node;
    addItemNode(node, L"3", L"three");
    addItemNode(node, L"7", L"seven");
    RecordMap records;
    ASSERT_TRUE(records.load(node));
    EXPECT_EQ(records.getNextId(), 8u);
    EXPECT_FALSE(records.isModified());

    EXPECT_EQ(records.add(makeRecord(L"new")), 8u);
    EXPECT_EQ(records.getItem(8)->name, L"new");
    EXPECT_TRUE(records.isModified());
}

TEST(SerializableObjMapTest, ReadingStopsAtAnItemWithoutId)
{
    MemoryTreeStream node;
    addItemNode(node, L"3", L"three");
    auto noId = node.addChild(L"item");
    noId->writeValue(L"name", L"no id", true);
    noId->writeValue(L"count", L"0", true);
    addItemNode(node, L"9", L"nine");

    RecordMap records;
    EXPECT_FALSE(records.load(node));
    const auto items = records.getItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items.begin()->first, 3u);
}

TEST(SerializableObjMapTest, RemoveRunsTheHookOnlyForAnExistingItem)
{
    RecordMap records;
    const unsigned id = records.add(makeRecord(L"gone"));
    records.setModified(false);

    records.remove(id + 1);
    EXPECT_TRUE(records.removed.empty());
    EXPECT_FALSE(records.isModified());

    records.remove(id);
    EXPECT_EQ(records.removed, std::vector<std::wstring>{L"gone"});
    EXPECT_EQ(records.getItem(id), nullptr);
    EXPECT_TRUE(records.isModified());
}

TEST(SerializableObjMapTest, AddNeverReplacesAnItemOnceIdsRunOut)
{
    MemoryTreeStream node;
    addItemNode(node, L"4294967294", L"near the top");
    RecordMap records;
    ASSERT_TRUE(records.load(node));

    EXPECT_EQ(records.add(makeRecord(L"last")), 4294967295u);
    EXPECT_EQ(records.add(makeRecord(L"one too many")), 0u);
    EXPECT_EQ(records.getItem(4294967295u)->name, L"last");
    EXPECT_EQ(records.add(nullptr), 0u);
    EXPECT_EQ(records.getItems().size(), 2u);
}

TEST(SerializableObjMapTest, ChangedItemMakesTheMapModified)
{
    RecordMap records;
    auto record = makeRecord(L"a");
    records.addItem(1, record);
    EXPECT_FALSE(records.isModified());
    record->setModified(true);
    EXPECT_TRUE(records.isModified());
    records.setModified(false);
    EXPECT_FALSE(record->isModified());
    EXPECT_FALSE(records.isModified());
}
