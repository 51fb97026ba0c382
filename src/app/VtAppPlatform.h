#pragma once

#include <functional>
#include <memory>

class ForegroundKeeperPlatform;
class HotkeyPlatform;
class RunningForegroundAppTracker;

// What the model needs of the platform besides the monitors. Whatever is
// missing is done without: hotkeys are kept but never registered, and no
// application in front is ever seen, so no per-application rule fires.
struct VtAppPlatform {
    std::shared_ptr<HotkeyPlatform> hotkeys;
    // Made only once monitors were found: a tracker starts its thread at once.
    std::function<std::shared_ptr<RunningForegroundAppTracker>()> makeForegroundTracker;
    std::shared_ptr<ForegroundKeeperPlatform> foregroundKeeper;
};
