#include "persistence/MemoryTreeStream.h"
#include "persistence/TestRecord.h"
#include "persistence/kelSerializableObjVector.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using RecordVector = kelSerializableSharedObjVector<TestRecord>;

std::vector<std::wstring> namesOf(RecordVector& records)
{
    std::vector<std::wstring> names;
    for (const auto& record : records.getItems())
        names.push_back(record->name);
    return names;
}

// A vector that cannot make elements for nodes without a name.
class NamedOnlyVector : public kelSerializableObjVector<std::shared_ptr<TestRecord>> {
public:
    std::shared_ptr<TestRecord> createItem(kelSerializationIoStream& child) override
    {
        std::wstring name;
        return child.input()->read(L"name", name, true) ? std::make_shared<TestRecord>() : nullptr;
    }
};

} // namespace

TEST(kelSerializableObjVectorTest, RoundTripKeepsOrderAndReplacesOldItems)
{
    RecordVector written;
    written.addItem(makeRecord(L"b", 2));
    written.addItem(makeRecord(L"a", 1));
    MemoryTreeStream node;
    ASSERT_TRUE(written.save(node));
    ASSERT_EQ(node.childCount(L"item"), 2u);
    EXPECT_EQ(node.childAt(L"item", 0)->value(L"name"), L"b");
    EXPECT_EQ(node.childAt(L"item", 1)->value(L"count"), L"1");

    RecordVector read;
    read.addItem(makeRecord(L"stale"));
    ASSERT_TRUE(read.load(node));
    EXPECT_EQ(namesOf(read), (std::vector<std::wstring>{L"b", L"a"}));
    EXPECT_EQ(read.getItems()[0]->count, 2);
}

TEST(kelSerializableObjVectorTest, ReadingStopsAtTheFirstFailingItem)
{
    MemoryTreeStream node;
    auto good = node.addChild(L"item");
    good->writeValue(L"name", L"good", true);
    good->writeValue(L"count", L"1", true);
    node.addChild(L"item")->writeValue(L"name", L"without count", true);
    auto after = node.addChild(L"item");
    after->writeValue(L"name", L"after", true);
    after->writeValue(L"count", L"3", true);

    RecordVector records;
    EXPECT_FALSE(records.load(node));
    EXPECT_EQ(namesOf(records), std::vector<std::wstring>{L"good"});
}

TEST(kelSerializableObjVectorTest, ReadingFailsWhenNoItemCanBeMade)
{
    MemoryTreeStream node;
    node.addChild(L"item")->writeValue(L"count", L"1", true);
    NamedOnlyVector records;
    EXPECT_FALSE(records.load(node));
    EXPECT_TRUE(records.getItems().empty());
}

TEST(kelSerializableObjVectorTest, WritingFailsWhenTheFormatRefusesChildren)
{
    RecordVector records;
    records.addItem(makeRecord(L"a"));
    MemoryTreeStream node;
    node.refuseChildren = true;
    EXPECT_FALSE(records.save(node));
}

TEST(kelSerializableObjVectorTest, RefusesAnEmptyItem)
{
    RecordVector records;
    EXPECT_FALSE(records.addItem(nullptr));
    EXPECT_TRUE(records.getItems().empty());
}

TEST(kelSerializableObjVectorTest, ChangedItemMakesTheVectorModified)
{
    RecordVector records;
    auto record = makeRecord(L"a");
    records.addItem(record);
    EXPECT_FALSE(records.isModified());

    record->setModified(true);
    EXPECT_TRUE(records.isModified());

    records.setModified(false);
    EXPECT_FALSE(record->isModified());
    EXPECT_FALSE(records.isModified());

    records.setModified(true);
    EXPECT_TRUE(records.isModified());
    EXPECT_FALSE(record->isModified());
}
