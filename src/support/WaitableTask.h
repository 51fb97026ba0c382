#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

class Task {
public:
    virtual ~Task() = default;
    virtual bool execute() = 0;
};

// A task whose requester can read its progress and result from another
// thread and, if it was made waitable, block until it is done.
class WaitableTask : public Task {
public:
    enum State : int { Queued = 0, Running = 1, Done = 2 };

    explicit WaitableTask(bool waitable);

    // Runs the task and wakes its waiters; returns run()'s result. An
    // exception from run() does not leave: the task ends with result false
    // and keeps the exception for wait().
    bool execute() override;
    // Ends a task that will never run: done, with result false, waiters woken.
    void cancel();
    // Blocks until the task is done, then rethrows what run() threw, if it
    // threw; throws std::logic_error if the task is not waitable.
    void wait();

    bool isWaitable() const { return sync != nullptr; }
    State state() const { return static_cast<State>(currentState.load()); }
    bool result() const { return outcome.load(); }
    // What run() threw; read it only once state() is Done.
    std::exception_ptr failure() const { return thrown; }

protected:
    virtual bool run() = 0;

private:
    void finish(bool result);

    struct Sync {
        std::mutex mutex;
        std::condition_variable done;
    };
    std::unique_ptr<Sync> sync;
    std::atomic<int> currentState{Queued};
    std::atomic<bool> outcome{false};
    // Written before Done is published, so whoever has seen Done may read it.
    std::exception_ptr thrown;
};
