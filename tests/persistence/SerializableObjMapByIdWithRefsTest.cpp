#include "persistence/MemoryTreeStream.h"
#include "persistence/SerializableObjMapByIdWithRefs.h"
#include "persistence/TestRecord.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

class RecordDb : public SerializableObjMapByIdWithRefs<TestRecord> {
public:
    std::shared_ptr<TestRecord> createValue(kelSerializationIoStream& child) override
    {
        return std::make_shared<TestRecord>();
    }
    void onRemove(const std::shared_ptr<Item>& item) override { removed.push_back(item->value->name); }

    unsigned refsOf(unsigned id)
    {
        const auto item = getItem(id);
        return item ? item->refs : 0;
    }

    std::vector<std::wstring> removed;
};

// Runs a callback right after the next release of the lock: the moment
// another thread could step in.
class InterleavedRecordDb : public RecordDb {
public:
    void unlock() override
    {
        RecordDb::unlock();
        if (auto interleaved = std::exchange(afterNextUnlock, nullptr))
            interleaved();
    }

    std::function<void()> afterNextUnlock;
};

// Guarded by a plain mutex, as some databases are. Taking it a second time
// on one thread would deadlock; this one counts that instead and goes on.
class MutexRecordDb : public RecordDb {
public:
    void lock() override
    {
        if (owner.load() == std::this_thread::get_id()) {
            ++nestedLocks;
            ++depth;
            return;
        }
        mutex.lock();
        owner = std::this_thread::get_id();
        depth = 1;
    }
    void unlock() override
    {
        if (--depth > 0)
            return;
        owner = std::thread::id();
        mutex.unlock();
    }

    std::atomic<int> nestedLocks{0};

private:
    std::mutex mutex;
    std::atomic<std::thread::id> owner;
    int depth = 0;
};

} // namespace

TEST(SerializableObjMapByIdWithRefsTest, RemoveDropsOneReferenceAtATime)
{
    RecordDb records;
    const unsigned id = records.addRef(makeRecord(L"shared"));
    ASSERT_EQ(records.addRef(makeRecord(L"shared")), id);
    ASSERT_EQ(records.refsOf(id), 2u);
    records.setModified(false);

    records.remove(id);
    EXPECT_EQ(records.refsOf(id), 1u);
    EXPECT_TRUE(records.removed.empty());
    EXPECT_TRUE(records.isModified());

    records.setModified(false);
    records.remove(id);
    EXPECT_EQ(records.getItem(id), nullptr);
    EXPECT_EQ(records.removed, std::vector<std::wstring>{L"shared"});
    EXPECT_TRUE(records.isModified());

    records.remove(id);
    EXPECT_EQ(records.removed.size(), 1u);
}

TEST(SerializableObjMapByIdWithRefsTest, AddRefReusesTheIdOfAnEqualValue)
{
    RecordDb records;
    const unsigned first = records.addRef(makeRecord(L"a", 1));
    const unsigned other = records.addRef(makeRecord(L"b"));
    records.setModified(false);

    EXPECT_EQ(records.addRef(makeRecord(L"a", 99)), first);
    EXPECT_TRUE(records.isModified());
    EXPECT_EQ(records.getItems().size(), 2u);
    EXPECT_EQ(records.refsOf(first), 2u);
    EXPECT_EQ(records.getItem(first)->value->count, 1) << "the stored value stays";
    EXPECT_NE(other, first);
    EXPECT_EQ(records.addRef(nullptr), 0u);
}

TEST(SerializableObjMapByIdWithRefsTest, RoundTripKeepsReferenceCounts)
{
    RecordDb written;
    const unsigned id = written.addRef(makeRecord(L"a", 5));
    written.addRef(makeRecord(L"a"));
    MemoryTreeStream node;
    ASSERT_TRUE(written.save(node));
    const auto item = node.childAt(L"item");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->value(L"item-refs"), L"2");
    EXPECT_EQ(item->value(L"name"), L"a");

    RecordDb read;
    ASSERT_TRUE(read.load(node));
    EXPECT_EQ(read.refsOf(id), 2u);
    EXPECT_EQ(read.getItem(id)->value->count, 5);
    EXPECT_EQ(read.addRef(makeRecord(L"a")), id);
}

TEST(SerializableObjMapByIdWithRefsTest, ItemWithoutReferenceCountFailsToRead)
{
    MemoryTreeStream node;
    auto item = node.addChild(L"item");
    item->writeValue(L"item-id", L"1", true);
    item->writeValue(L"name", L"a", true);
    item->writeValue(L"count", L"0", true);
    RecordDb records;
    EXPECT_FALSE(records.load(node));
    EXPECT_TRUE(records.getItems().empty());
}

TEST(SerializableObjMapByIdWithRefsTest, ChangedValueMakesTheMapModified)
{
    RecordDb records;
    const unsigned id = records.addRef(makeRecord(L"a"));
    records.setModified(false);
    records.getItem(id)->value->setModified(true);
    EXPECT_TRUE(records.isModified());
    records.setModified(false);
    EXPECT_FALSE(records.getItem(id)->value->isModified());
}

TEST(SerializableObjMapByIdWithRefsTest, LastRemoveLeavesNoWindowForAnotherAddRef)
{
    InterleavedRecordDb records;
    const unsigned id = records.addRef(makeRecord(L"app"));
    std::optional<unsigned> interleavedId;
    records.afterNextUnlock = [&records, &interleavedId] { interleavedId = records.addRef(makeRecord(L"app")); };

    records.remove(id);

    ASSERT_TRUE(interleavedId.has_value());
    EXPECT_NE(records.getItem(*interleavedId), nullptr) << "an id handed out must stay valid";
    EXPECT_EQ(records.refsOf(*interleavedId), 1u);
}

TEST(SerializableObjMapByIdWithRefsTest, ConcurrentUseUnderAPlainMutex)
{
    MutexRecordDb records;
    constexpr int threads = 4;
    constexpr int rounds = 300;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&records, t] {
            const std::wstring own = L"own" + std::to_wstring(t);
            for (int i = 0; i < rounds; ++i) {
                records.remove(records.addRef(makeRecord(L"shared")));
                records.addRef(makeRecord(L"shared"));
                records.addRef(makeRecord(own));
                if (records.isModified()) {
                    MemoryTreeStream node;
                    records.save(node);
                    records.setModified(false);
                }
            }
        });
    }
    for (auto& worker : workers)
        worker.join();

    EXPECT_EQ(records.nestedLocks, 0);
    const auto items = records.getItems();
    ASSERT_EQ(items.size(), 1u + threads);
    unsigned sharedRefs = 0;
    for (const auto& [id, item] : items) {
        if (item->value->name == L"shared")
            sharedRefs = item->refs;
        else
            EXPECT_EQ(item->refs, unsigned(rounds)) << item->value->name;
    }
    EXPECT_EQ(sharedRefs, unsigned(threads * rounds));
}
