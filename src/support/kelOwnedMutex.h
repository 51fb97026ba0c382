#pragma once

#include <atomic>
#include <mutex>
#include <thread>

// A plain (non-recursive) mutex that knows which thread holds it. Taking it
// again on that thread would wait for itself forever; lock() throws
// std::system_error with resource_deadlock_would_occur at once instead, as
// std::unique_lock does for a lock it already owns. std::lock_guard,
// std::unique_lock and std::condition_variable_any take it like any mutex; a
// condition wait gives up the ownership with the mutex and takes it back with
// it, so the record stays true across the wait.
class kelOwnedMutex {
public:
    void lock();
    void unlock();

    bool isHeldByThisThread() const;

private:
    std::mutex mutex;
    // Set by the holder right after it got the mutex and cleared right before
    // it lets go, so a thread finds its own id here only while it holds it.
    std::atomic<std::thread::id> owner{};
};
