#pragma once

#include <atomic>
#include <thread>
#include <utility>

// Counts the worker threads of the process that are still running their
// procedure. Every thread owner starts its threads through start(), so the
// program can verify at exit that each of them was stopped and joined.
class kelLiveThreads {
public:
    static int count();

    // Starts routine on a new thread. The count rises before the thread exists
    // (so it is never short of a thread that may be running) and falls when
    // the routine has returned, before the thread can be joined.
    template <class Routine>
    static std::thread start(Routine&& routine)
    {
        return std::thread([token = Token(), routine = std::forward<Routine>(routine)]() mutable {
            const Token held = std::move(token);
            routine();
        });
    }

private:
    // One counted thread; moving hands the count on, so exactly one owner
    // releases it, whether the thread ran or failed to start.
    class Token {
    public:
        Token();
        Token(Token&& other) noexcept;
        Token& operator=(Token&&) = delete;
        ~Token();

    private:
        bool counted = true;
    };

    static std::atomic<int> live;
};
