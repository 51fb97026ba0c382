#include "support/TasksProcessor.h"

#include "support/kelComInitialize.h"

#include <mutex>
#include <stdexcept>
#include <utility>

namespace {

std::shared_ptr<TasksProcessorTask> refusedTask(bool waitable)
{
    auto task = std::make_shared<TasksProcessorTask>(0, nullptr, nullptr, nullptr, waitable);
    task->cancel();
    return task;
}

} // namespace

// Counts the calling thread among those waiting for the lock for as long as it
// waits, and no longer when taking the lock fails: the worker would otherwise
// wait for a waiter that has gone.
class TasksProcessor::CountedWaiter {
public:
    explicit CountedWaiter(TasksProcessor& processor) : processor(processor)
    {
        const std::lock_guard count(processor.waitersMutex);
        ++processor.waiters;
    }
    ~CountedWaiter()
    {
        {
            const std::lock_guard count(processor.waitersMutex);
            --processor.waiters;
        }
        processor.waiterGotIn.notify_all();
    }
    CountedWaiter(const CountedWaiter&) = delete;
    CountedWaiter& operator=(const CountedWaiter&) = delete;

private:
    TasksProcessor& processor;
};

TasksProcessor::TasksProcessor()
{
    startThread([this] { threadProc(); });
}

TasksProcessor::~TasksProcessor()
{
    TasksProcessor::requestStop(true);
}

std::shared_ptr<TasksProcessorTask> TasksProcessor::queueTask(const Autolock& heldLock, bool skipObsolete,
                                                              std::unique_ptr<TasksProcessorTaskDetails> details,
                                                              Completion onCompleted, bool waitable,
                                                              QueuedCallback onQueued)
{
    if (!acceptsTasks(heldLock))
        return refusedTask(waitable);
    dropObsolete(details.get(), heldLock, skipObsolete);
    // The hook may release the lock for a while (to raise events), so a stop
    // may have been requested meanwhile.
    if (!acceptsTasks(heldLock))
        return refusedTask(waitable);

    const std::uint32_t id = nextId++;
    auto task = std::make_shared<TasksProcessorTask>(
        id, std::move(details),
        [this](std::uint32_t taskId, TasksProcessorTaskDetails* taskDetails) { return runTask(taskId, taskDetails); },
        std::move(onCompleted), waitable);
    if (onQueued)
        onQueued(task.get());
    queue.push_back(task);
    workAvailable.notify_all();
    return task;
}

std::shared_ptr<TasksProcessorTask> TasksProcessor::queueTask(std::unique_ptr<TasksProcessorTaskDetails> details,
                                                              Completion onCompleted, bool waitable,
                                                              QueuedCallback onQueued)
{
    const Autolock lock = autoLock();
    return queueTask(lock, false, std::move(details), std::move(onCompleted), waitable, std::move(onQueued));
}

std::size_t TasksProcessor::pendingTaskCount() const
{
    if (!mutex.isHeldByThisThread())
        throw std::logic_error("pendingTaskCount needs the processor's lock held");
    return queue.size();
}

void TasksProcessor::requestStop(bool wait)
{
    {
        // Set under the queue's lock, so the worker cannot test the flag and
        // then sleep through the wake-up below.
        const std::lock_guard lock(mutex);
        kelCreatesThreads2::requestStop(false);
    }
    workAvailable.notify_all();
    if (wait)
        joinAll();
}

void TasksProcessor::dropObsolete(const TasksProcessorTaskDetails* details, const Autolock& heldLock,
                                  bool skipObsolete)
{
}

void TasksProcessor::releaseWorkerObjects()
{
}

bool TasksProcessor::acceptsTasks(const Autolock& heldLock) const
{
    if (!heldLock || !heldLock->isLocked())
        throw std::logic_error("queueTask needs the processor's lock held");
    // After a stop request the worker has ended or is about to: a task queued
    // now might never run, and its waiter would never wake.
    return !isStopRequested();
}

void TasksProcessor::lock()
{
    const CountedWaiter counted(*this);
    kelThreadSafe3::lock();
}

int TasksProcessor::threadsWaitingForLock()
{
    const std::lock_guard count(waitersMutex);
    return waiters;
}

void TasksProcessor::letWaitingThreadsIn()
{
    std::unique_lock count(waitersMutex);
    waiterGotIn.wait(count, [this] { return waiters == 0; });
}

void TasksProcessor::threadProc()
{
    const kelThreadInitializer initializer;
    while (const auto task = nextTask()) {
        letWaitingThreadsIn();
        task->execute();
    }
    releaseWorkerObjects();
}

std::shared_ptr<TasksProcessorTask> TasksProcessor::nextTask()
{
    std::unique_lock lock(mutex);
    workAvailable.wait(lock, [this] { return !queue.empty() || isStopRequested(); });
    if (queue.empty())
        return nullptr;
    auto task = std::move(queue.front());
    queue.pop_front();
    return task;
}
