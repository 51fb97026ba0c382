#pragma once

#include "support/kelCreatesThreads2.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

class kelThread;

// Owner of kelThread workers: it knows which kelThread runs on which thread
// while its routine runs, and joins them all on requestStop(true) or when
// destroyed. Routines wait on the stop request with waitForStop(timeout).
class kelCreatesThreads : public kelCreatesThreads2 {
public:
    ~kelCreatesThreads() override;

    // The kelThread whose routine runs on the calling thread, or null.
    kelThread* currentThread() const;

private:
    friend class kelThread;
    void enter(kelThread& thread);
    void leave();

    mutable std::mutex runningMutex;
    std::map<std::thread::id, kelThread*> running;
};

// One routine running on its own thread for a kelCreatesThreads owner. The
// thread keeps its kelThread alive until the routine has returned, so the
// owner's registration never points at a destroyed object.
class kelThread {
public:
    static std::shared_ptr<kelThread> start(kelCreatesThreads& owner, std::function<void()> routine);

    kelThread(const kelThread&) = delete;
    kelThread& operator=(const kelThread&) = delete;

    bool isRunning() const { return running.load(); }

private:
    kelThread() = default;

    std::atomic<bool> running{true};
};
