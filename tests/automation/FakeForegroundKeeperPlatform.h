#pragma once

#include "automation/ForegroundKeeperPlatform.h"

#include <atomic>
#include <chrono>

// A clock that moves only when the test says, and a virtual screen whose
// size the test sets. Safe to use from several threads.
class FakeForegroundKeeperPlatform : public ForegroundKeeperPlatform {
public:
    std::int64_t now() override { return ticks.load(); }
    ScreenSize virtualScreenSize() override { return {width.load(), 768}; }

    void advance(std::chrono::milliseconds elapsed) { ticks += elapsed.count() * 10'000; }
    void setScreenWidth(int newWidth) { width = newWidth; }

private:
    // Far from 0, which the keeper takes for "never".
    std::atomic<std::int64_t> ticks{133'000'000'000'000'000};
    std::atomic<int> width{1024};
};
