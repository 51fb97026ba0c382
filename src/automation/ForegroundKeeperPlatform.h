#pragma once

#include <cstdint>

struct ScreenSize {
    int width = 0;
    int height = 0;
    bool operator==(const ScreenSize&) const = default;
};

// What the foreground keeper asks of the world, so its timing can be tested
// with a clock of the test's own. Called with the keeper's mutex held.
class ForegroundKeeperPlatform {
public:
    virtual ~ForegroundKeeperPlatform() = default;
    // Ticks of 100 ns of the system clock.
    virtual std::int64_t now() = 0;
    // The size of the virtual screen, the bounding box of every display.
    virtual ScreenSize virtualScreenSize() = 0;
};
