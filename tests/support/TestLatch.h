#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>

// A single-use latch for tests. std::latch and std::barrier wait through
// std::atomic::wait, whose mingw-w64 (GCC 12, posix threads) implementation
// loses wake-ups under Wine and hangs the Windows test run; a mutex and a
// condition variable behave the same in both builds.
class TestLatch {
public:
    explicit TestLatch(std::ptrdiff_t count) : remaining(count) {}

    void countDown()
    {
        {
            const std::lock_guard lock(mutex);
            --remaining;
        }
        reachedZero.notify_all();
    }
    void wait()
    {
        std::unique_lock lock(mutex);
        reachedZero.wait(lock, [this] { return remaining <= 0; });
    }
    // False if the count has not reached zero by then: a guard against a test
    // that would otherwise hang, never a measure of speed.
    bool waitFor(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(mutex);
        return reachedZero.wait_for(lock, limit, [this] { return remaining <= 0; });
    }
    void arriveAndWait()
    {
        countDown();
        wait();
    }

private:
    std::mutex mutex;
    std::condition_variable reachedZero;
    std::ptrdiff_t remaining;
};
