#include "persistence/MemoryTreeStream.h"
#include "persistence/TestRecord.h"
#include "persistence/kelSerializable.h"
#include "persistence/kelSerializationIoStream.h"

#include <gtest/gtest.h>

#include <optional>
#include <thread>
#include <vector>

namespace {

class DirectionProbe : public kelSerializable {
public:
    bool serialize(kelSerializationIoStream& io, unsigned flags) override
    {
        sawReading = io.isReading();
        sawFlags = flags;
        return result;
    }

    std::optional<bool> sawReading;
    std::optional<unsigned> sawFlags;
    bool result = true;
};

class SharedCounter : public kelSerializableTs {
public:
    void increment()
    {
        auto guard = autoLock();
        ++count;
        setModified(true);
    }
    int value()
    {
        auto guard = autoLock();
        return count;
    }

private:
    int count = 0;
};

} // namespace

TEST(kelSerializableTest, LoadReadsAndSaveWritesWithFlagsZero)
{
    MemoryTreeStream node;
    DirectionProbe probe;
    EXPECT_TRUE(probe.load(node));
    EXPECT_EQ(probe.sawReading, true);
    EXPECT_EQ(probe.sawFlags, 0u);

    probe.result = false;
    EXPECT_FALSE(probe.save(node));
    EXPECT_EQ(probe.sawReading, false);
    EXPECT_EQ(probe.sawFlags, 0u);
}

TEST(kelSerializableTest, PlainObjectHasNothingToSerialize)
{
    MemoryTreeStream node;
    kelSerializable plain;
    EXPECT_FALSE(plain.load(node));
    EXPECT_FALSE(plain.save(node));
}

TEST(kelSerializableTest, LoadingLeavesTheModifiedFlag)
{
    MemoryTreeStream node;
    ASSERT_TRUE(TestRecord(L"stored", 4).save(node));

    for (const bool modified : {false, true}) {
        TestRecord record;
        EXPECT_FALSE(record.isModified()) << "fresh objects are clean";
        record.setModified(modified);
        ASSERT_TRUE(record.load(node));
        EXPECT_EQ(record.count, 4);
        EXPECT_EQ(record.isModified(), modified);
    }
}

TEST(kelSerializableTsTest, LockIsReentrant)
{
    SharedCounter counter;
    counter.lock();
    auto guard = counter.autoLock();
    counter.increment();
    EXPECT_TRUE(counter.isModified());
    guard.reset();
    counter.unlock();
    EXPECT_EQ(counter.value(), 1);
}

TEST(kelSerializableTsTest, ConcurrentChangesAreSerialized)
{
    SharedCounter counter;
    constexpr int threads = 4;
    constexpr int rounds = 2000;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&counter] {
            for (int i = 0; i < rounds; ++i) {
                counter.increment();
                counter.setModified(counter.isModified() && i % 2 == 0);
            }
        });
    }
    for (auto& worker : workers)
        worker.join();
    EXPECT_EQ(counter.value(), threads * rounds);
}
