#include "support/kelThread.h"

kelCreatesThreads::~kelCreatesThreads()
{
    // The threads still use the registration map, which dies before the base.
    kelCreatesThreads2::requestStop(true);
}

kelThread* kelCreatesThreads::currentThread() const
{
    const std::lock_guard lock(runningMutex);
    const auto found = running.find(std::this_thread::get_id());
    return found == running.end() ? nullptr : found->second;
}

void kelCreatesThreads::enter(kelThread& thread)
{
    const std::lock_guard lock(runningMutex);
    running[std::this_thread::get_id()] = &thread;
}

void kelCreatesThreads::leave()
{
    const std::lock_guard lock(runningMutex);
    running.erase(std::this_thread::get_id());
}

std::shared_ptr<kelThread> kelThread::start(kelCreatesThreads& owner, std::function<void()> routine)
{
    std::shared_ptr<kelThread> thread(new kelThread());
    owner.startThread([&owner, thread, routine = std::move(routine)] {
        owner.enter(*thread);
        routine();
        owner.leave();
        thread->running.store(false);
    });
    return thread;
}
