#include "support/kelCreatesThreads2.h"
#include "support/kelLiveThreads.h"

#include "support/TestLatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(kelCreatesThreads2, WaitForStopReportsWhetherAStopWasRequested)
{
    kelCreatesThreads2 owner;
    EXPECT_FALSE(owner.waitForStop());
    EXPECT_FALSE(owner.waitForStop(0ms));

    owner.requestStop(false);

    EXPECT_TRUE(owner.isStopRequested());
    EXPECT_TRUE(owner.waitForStop());
}

TEST(kelCreatesThreads2, StopWakesPollingThreadsAndJoinsThem)
{
    const int liveBefore = kelLiveThreads::count();
    constexpr int pollers = 3;
    std::atomic<int> stoppedCleanly{0};
    TestLatch polling(pollers);
    kelCreatesThreads2 owner;
    for (int i = 0; i < pollers; ++i) {
        owner.startThread([&] {
            polling.countDown();
            // Hours, not the poll interval: only the stop request can end this.
            if (owner.waitForStop(std::chrono::hours(1)))
                stoppedCleanly.fetch_add(1);
        });
    }
    polling.wait();
    EXPECT_EQ(kelLiveThreads::count(), liveBefore + pollers);

    owner.requestStop(true);

    EXPECT_EQ(stoppedCleanly.load(), pollers);
    EXPECT_EQ(kelLiveThreads::count(), liveBefore);
}

TEST(kelCreatesThreads2, DestructionStopsAndJoinsRemainingThreads)
{
    const int liveBefore = kelLiveThreads::count();
    std::atomic<bool> sawStop{false};
    {
        kelCreatesThreads2 owner;
        owner.startThread([&] {
            while (!owner.waitForStop()) {
            }
            sawStop.store(true);
        });
    }
    EXPECT_TRUE(sawStop.load());
    EXPECT_EQ(kelLiveThreads::count(), liveBefore);
}

TEST(kelCreatesThreads2, AddThreadIgnoresThreadsThatCannotBeJoined)
{
    kelCreatesThreads2 owner;
    owner.addThread(nullptr);
    owner.addThread(std::make_shared<std::thread>());
    auto finished = std::make_shared<std::thread>([] {});
    finished->join();
    owner.addThread(finished);

    EXPECT_NO_THROW(owner.joinAll());
}

TEST(kelLiveThreads, CountsAThreadFromItsStartUntilItsRoutineHasReturned)
{
    const int liveBefore = kelLiveThreads::count();
    TestLatch release(1);
    std::thread thread = kelLiveThreads::start([&] { release.wait(); });
    EXPECT_EQ(kelLiveThreads::count(), liveBefore + 1);

    release.countDown();
    thread.join();

    EXPECT_EQ(kelLiveThreads::count(), liveBefore);
}

} // namespace
