#pragma once

#include "automation/PollingForegroundAppTracker.h"
#include "automation/WinRunningAppsPlatform.h"

#include <memory>

// The program's foreground tracker: the polling tracker over the platform's
// foreground window and process descriptions. Its threads, locks and events
// are those of PollingForegroundAppTracker.
class WinRunningForegroundAppTracker : public PollingForegroundAppTracker {
public:
    explicit WinRunningForegroundAppTracker(
        std::shared_ptr<const WinRunningAppsPlatform> platform = WinRunningAppsPlatform::real());
};
