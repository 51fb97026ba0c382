#include "support/kelCreatesThreads2.h"

#include "support/kelLiveThreads.h"

kelCreatesThreads2::~kelCreatesThreads2()
{
    kelCreatesThreads2::requestStop(true);
}

void kelCreatesThreads2::requestStop(bool wait)
{
    {
        const std::lock_guard lock(threadsMutex);
        stopRequested.store(true);
    }
    stopCondition.notify_all();
    if (wait)
        joinAll();
}

std::shared_ptr<std::thread> kelCreatesThreads2::startThread(std::function<void()> procedure)
{
    auto thread = std::make_shared<std::thread>(kelLiveThreads::start(std::move(procedure)));
    addThread(thread);
    return thread;
}

void kelCreatesThreads2::addThread(std::shared_ptr<std::thread> thread)
{
    if (!thread || !thread->joinable())
        return;
    const std::lock_guard lock(threadsMutex);
    threads.push_back(std::move(thread));
}

void kelCreatesThreads2::joinAll()
{
    const std::lock_guard joining(joinMutex);
    for (;;) {
        std::shared_ptr<std::thread> first;
        {
            const std::lock_guard lock(threadsMutex);
            if (threads.empty())
                return;
            first = threads.front();
        }
        first->join();
        // Threads are only ever appended and only a joiner removes them, so
        // the joined thread is still first.
        const std::lock_guard lock(threadsMutex);
        threads.erase(threads.begin());
    }
}

bool kelCreatesThreads2::waitForStop()
{
    return waitForStop(pollInterval);
}

bool kelCreatesThreads2::waitForStop(std::chrono::milliseconds timeout)
{
    // One deadline for the whole wait, so spurious wake-ups do not extend it;
    // the steady clock keeps clock adjustments from stretching or cutting it.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(threadsMutex);
    return stopCondition.wait_until(lock, deadline, [this] { return stopRequested.load(); });
}
