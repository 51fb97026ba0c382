#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Owns worker threads that run until a stop is requested. Threads whose
// procedure uses members of a derived class must be stopped and joined by
// that class's destructor (requestStop(true)); this destructor joins only
// what is still left, when the derived members are already gone.
class kelCreatesThreads2 {
public:
    static constexpr std::chrono::milliseconds pollInterval{100};

    kelCreatesThreads2() = default;
    kelCreatesThreads2(const kelCreatesThreads2&) = delete;
    kelCreatesThreads2& operator=(const kelCreatesThreads2&) = delete;
    virtual ~kelCreatesThreads2();

    // Sets the stop flag, wakes every waitForStop() and, if wait, joins all threads.
    virtual void requestStop(bool wait);

    // Starts procedure on a counted thread (kelLiveThreads) owned by this object.
    std::shared_ptr<std::thread> startThread(std::function<void()> procedure);
    void addThread(std::shared_ptr<std::thread> thread);
    void joinAll();

    // Sleeps up to pollInterval (or timeout), ending early on a stop request;
    // returns whether a stop was requested.
    bool waitForStop();
    bool waitForStop(std::chrono::milliseconds timeout);
    bool isStopRequested() const { return stopRequested.load(); }

private:
    std::vector<std::shared_ptr<std::thread>> threads;
    std::mutex threadsMutex;
    // Read without a lock by the threads' procedures; set under threadsMutex
    // so that a waiter cannot test it and then miss the wake-up.
    std::atomic<bool> stopRequested{false};
    std::condition_variable stopCondition;
    // Joining one std::thread from two threads at once is undefined: joiners take turns.
    std::mutex joinMutex;
};
