#include "support/kelOwnedMutex.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

TEST(kelOwnedMutex, SecondLockOnTheHoldingThreadThrowsAtOnceAndTheLockStaysHeld)
{
    kelOwnedMutex mutex;
    mutex.lock();

    try {
        mutex.lock();
        ADD_FAILURE() << "a second lock on the holding thread was granted";
    } catch (const std::system_error& refused) {
        EXPECT_EQ(refused.code(), std::errc::resource_deadlock_would_occur);
    }

    EXPECT_TRUE(mutex.isHeldByThisThread());
    mutex.unlock();
    EXPECT_FALSE(mutex.isHeldByThisThread());
    // Released and taken again: no longer a second lock.
    const std::lock_guard again(mutex);
    EXPECT_TRUE(mutex.isHeldByThisThread());
}

TEST(kelOwnedMutex, OnlyTheHolderCountsAsHoldingIt)
{
    kelOwnedMutex mutex;
    const std::lock_guard held(mutex);
    bool otherThreadHolds = true;
    std::thread other([&] { otherThreadHolds = mutex.isHeldByThisThread(); });
    other.join();
    EXPECT_FALSE(otherThreadHolds);
}

// A condition wait lets go of the mutex and takes it back: the record of the
// holder must follow, or the waiter would hold the mutex unrecorded after the
// wait (and a second lock there would hang again).
TEST(kelOwnedMutex, OwnershipFollowsTheMutexThroughAConditionWait)
{
    kelOwnedMutex mutex;
    std::condition_variable_any changed;
    bool waiting = false;
    bool woken = false;
    bool waiterHoldsAfterWait = false;

    std::thread waiter([&] {
        std::unique_lock lock(mutex);
        waiting = true;
        changed.wait(lock, [&] { return woken; });
        waiterHoldsAfterWait = mutex.isHeldByThisThread();
    });
    bool notifierHeld = false;
    for (bool notified = false; !notified; std::this_thread::yield()) {
        const std::lock_guard lock(mutex);
        // The waiter set the flag under the mutex and gave it up only by waiting.
        if (waiting) {
            notifierHeld = mutex.isHeldByThisThread();
            woken = true;
            notified = true;
        }
    }
    changed.notify_all();
    waiter.join();

    EXPECT_TRUE(notifierHeld);
    EXPECT_TRUE(waiterHoldsAfterWait);
    EXPECT_FALSE(mutex.isHeldByThisThread());
}
