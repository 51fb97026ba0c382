#include "support/WaitableTask.h"

#include <stdexcept>

WaitableTask::WaitableTask(bool waitable) : sync(waitable ? std::make_unique<Sync>() : nullptr)
{
}

bool WaitableTask::execute()
{
    currentState.store(Running);
    bool succeeded = false;
    try {
        succeeded = run();
    } catch (...) {
        thrown = std::current_exception();
    }
    finish(succeeded);
    return result();
}

void WaitableTask::cancel()
{
    finish(false);
}

void WaitableTask::wait()
{
    if (!sync)
        throw std::logic_error("wait() on a task that is not waitable");
    {
        std::unique_lock lock(sync->mutex);
        sync->done.wait(lock, [this] { return state() == Done; });
    }
    if (thrown)
        std::rethrow_exception(thrown);
}

void WaitableTask::finish(bool result)
{
    outcome.store(result);
    if (!sync) {
        currentState.store(Done);
        return;
    }
    // Done is published and announced under the waiters' mutex: a waiter that
    // has just found the task unfinished is already waiting when the wake-up
    // comes, and none can return and destroy the task before it is sent.
    const std::lock_guard lock(sync->mutex);
    currentState.store(Done);
    sync->done.notify_all();
}
