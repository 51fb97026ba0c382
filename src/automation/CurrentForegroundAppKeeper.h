#pragma once

#include "automation/ForegroundKeeperPlatform.h"
#include "automation/RunningAppInfo.h"
#include "support/kelOwnedMutex.h"

#include <cstdint>
#include <memory>

// The application the per-application rules should follow: the one in front,
// once it has stayed there long enough for a passing glance not to count.
class CurrentForegroundAppKeeper {
public:
    virtual ~CurrentForegroundAppKeeper() = default;
    // The current application; may take over a pending change first. Empty when none.
    virtual std::shared_ptr<const RunningAppInfo> currentApp() = 0;
};

// Debounces the foreground reports of the tracker. A new application becomes
// current once it has been in front for switchDelay seconds, at the next
// currentApp(); another window of the current process becomes current at
// once. For displayChangeFreeze seconds after the virtual screen changed size
// (a full-screen game switching the display mode, a monitor coming or going)
// the current application stays as it is.
//
// Threads and locks: onForegroundApp() comes from the tracker's thread,
// currentApp() from the automatic-action thread; both run under the keeper's
// mutex, which is also held while onCurrentChanged() runs.
class CurrentForegroundAppKeeper2 : public CurrentForegroundAppKeeper {
public:
    static constexpr int switchDelay = 3;
    static constexpr int displayChangeFreeze = 7;

    explicit CurrentForegroundAppKeeper2(std::shared_ptr<ForegroundKeeperPlatform> platform);

    void onForegroundApp(std::shared_ptr<const RunningAppInfo> app);
    std::shared_ptr<const RunningAppInfo> currentApp() override;

protected:
    // Runs after every change of the current application, with the mutex held.
    virtual void onCurrentChanged() {}

    kelOwnedMutex mutex;
    std::shared_ptr<const RunningAppInfo> current;

private:
    bool isFrozenByScreenChange();
    double secondsSince(std::int64_t then) const;
    void makeCurrent(std::shared_ptr<const RunningAppInfo> app);

    const std::shared_ptr<ForegroundKeeperPlatform> platform;
    std::shared_ptr<const RunningAppInfo> latest;
    std::int64_t latestTime = 0;
    ScreenSize screen;
    std::int64_t screenChangeTime = 0;
};
