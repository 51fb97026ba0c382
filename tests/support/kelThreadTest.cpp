#include "support/kelLiveThreads.h"
#include "support/kelThread.h"

#include "support/TestLatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

namespace {

TEST(kelThread, RoutineFindsItsOwnThreadInTheOwnersRegistry)
{
    const int liveBefore = kelLiveThreads::count();
    kelCreatesThreads owner;
    std::promise<kelThread*> registered;
    const auto thread = kelThread::start(owner, [&] {
        registered.set_value(owner.currentThread());
        owner.waitForStop(std::chrono::hours(1));
    });

    EXPECT_EQ(registered.get_future().get(), thread.get());
    EXPECT_EQ(owner.currentThread(), nullptr);
    EXPECT_TRUE(thread->isRunning());
    EXPECT_EQ(kelLiveThreads::count(), liveBefore + 1);

    owner.requestStop(true);

    EXPECT_FALSE(thread->isRunning());
    EXPECT_EQ(kelLiveThreads::count(), liveBefore);
}

TEST(kelThread, StopEndsAPeriodicRoutineWithOneFinalRound)
{
    std::atomic<int> timedRounds{0};
    std::atomic<int> finalRounds{0};
    TestLatch started(1);
    kelCreatesThreads owner;
    kelThread::start(owner, [&] {
        started.countDown();
        while (!owner.waitForStop(std::chrono::hours(1)))
            timedRounds.fetch_add(1);
        finalRounds.fetch_add(1);
    });
    started.wait();

    owner.requestStop(true);

    EXPECT_EQ(timedRounds.load(), 0);
    EXPECT_EQ(finalRounds.load(), 1);
}

TEST(kelThread, StaysValidForItsRoutineAfterTheStarterDropsIt)
{
    const int liveBefore = kelLiveThreads::count();
    TestLatch dropped(1);
    std::promise<bool> runningSeen;
    {
        kelCreatesThreads owner;
        kelThread::start(owner, [&] {
            dropped.wait();
            runningSeen.set_value(owner.currentThread()->isRunning());
        });
        dropped.countDown();
        EXPECT_TRUE(runningSeen.get_future().get());
    }
    EXPECT_EQ(kelLiveThreads::count(), liveBefore);
}

} // namespace
