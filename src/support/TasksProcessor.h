#pragma once

#include "support/TasksProcessorTask.h"
#include "support/kelCreatesThreads2.h"
#include "support/kelThreadSafe.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

// Runs tasks one at a time, first in first out, on its own worker thread
// (with COM initialised there). The worker runs from construction on; a stop
// request lets it finish every task queued before the request, then end.
//
// runTask() is called on the worker, so a derived class must call
// requestStop(true) in its own destructor: once it is destroyed, the queued
// tasks would have nothing left to run them.
//
// Threads and the lock:
// - The lock is not recursive. Taking it on a thread that already holds it
//   throws std::system_error (resource_deadlock_would_occur) at once, and the
//   lock stays held as it was; queueTask() and requestStop(), which take it,
//   throw the same way on such a thread.
// - The lock guards the queue. Whoever takes it waits for whatever the
//   current holder does under it, so a runTask takes it only for short steps
//   (see derived classes for what they do and raise under it).
// - runTask() and every task's onCompleted run on the worker, which does not
//   hold the lock when it calls them.
// - dropObsolete() and onQueued run on the requester's thread with the lock held.
// - releaseWorkerObjects() runs on the worker, without the lock, once no task is left.
//
// A task that throws (a programming error: tasks report failure by their
// result) does not take the worker down: the task ends as failed (result
// false, onCompleted called with false, waiters woken), wait() rethrows the
// exception to whoever waits for it, and the worker goes on with the next
// task. Locks the task held are released by their owners on the way out.
class TasksProcessor : public kelThreadSafe3, public kelCreatesThreads2 {
public:
    using Autolock = std::shared_ptr<kelLockableAutolock<kelLockable>>;
    using Completion = TasksProcessorTask::Completion;
    using QueuedCallback = std::function<void(TasksProcessorTask* task)>;

    TasksProcessor();
    ~TasksProcessor() override;

    // Queues a task while the caller holds this processor's lock through
    // heldLock. onQueued runs under that lock before the worker can see the
    // task, and must neither queue nor wait. A waitable task is waited on
    // only after the lock is released. After a stop request nothing is queued:
    // the task comes back done, with id 0 and result false, and neither
    // onQueued nor onCompleted is called.
    virtual std::shared_ptr<TasksProcessorTask> queueTask(const Autolock& heldLock, bool skipObsolete,
                                                          std::unique_ptr<TasksProcessorTaskDetails> details,
                                                          Completion onCompleted, bool waitable,
                                                          QueuedCallback onQueued);
    // The same, taking and releasing the lock itself.
    virtual std::shared_ptr<TasksProcessorTask> queueTask(std::unique_ptr<TasksProcessorTaskDetails> details,
                                                          Completion onCompleted = {}, bool waitable = false,
                                                          QueuedCallback onQueued = {});

    // Tasks queued and not yet started; the one the worker runs is no longer
    // pending. Read with the lock held, so that the count still holds when the
    // caller then queues; throws std::logic_error on a thread that does not
    // hold it.
    std::size_t pendingTaskCount() const;

    void requestStop(bool wait) override;
    // Waits for the lock as every holder does, but counted: the worker lets
    // every counted waiter through before it starts its next task. Throws at
    // once, uncounted, on a thread that holds the lock already.
    void lock() override;

protected:
    // Called under the lock before a new task is created, so a derived
    // processor can remove queued tasks that the new one makes obsolete.
    virtual void dropObsolete(const TasksProcessorTaskDetails* details, const Autolock& heldLock,
                              bool skipObsolete);
    virtual bool runTask(std::uint32_t id, TasksProcessorTaskDetails* details) = 0;
    // The worker's last act: after the last task has run, before the worker
    // leaves its COM apartment. Whatever the tasks made on the worker (COM
    // objects above all, which belong to its apartment) is released here, not
    // later on whichever thread destroys the processor.
    virtual void releaseWorkerObjects();

    // Guarded by the lock.
    std::deque<std::shared_ptr<TasksProcessorTask>> queue;

    // How many threads are waiting for the lock right now.
    int threadsWaitingForLock();

private:
    class CountedWaiter;

    bool acceptsTasks(const Autolock& heldLock) const;
    void threadProc();
    std::shared_ptr<TasksProcessorTask> nextTask();

    // A worker that releases the lock after a task and takes it again for
    // the next could otherwise win every time against a thread that waits to
    // queue or to read, keeping that thread (often the UI) out for as long as
    // the queue is busy. Counted apart from the lock itself, which is the
    // thing being waited for.
    void letWaitingThreadsIn();

    // Waits through the lock itself, so its record of the holder stays true.
    std::condition_variable_any workAvailable;
    std::uint32_t nextId = 1;
    std::mutex waitersMutex;
    std::condition_variable waiterGotIn;
    int waiters = 0;
};
