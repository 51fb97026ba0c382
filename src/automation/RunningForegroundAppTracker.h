#pragma once

#include "automation/RunningAppInfo.h"
#include "support/kelRaisesVaEvents.h"

#include <memory>

// Follows the application in front and raises the code event 0 after every
// change of it; consumers then ask foregroundApp().
class RunningForegroundAppTracker : public kelRaisesVaEvents {
public:
    ~RunningForegroundAppTracker() override = default;

    // The application in front since the last change; empty when there is
    // none, it cannot be described, or nothing has changed since the start.
    virtual std::shared_ptr<const RunningAppInfo> foregroundApp() = 0;
    // No event is raised once it returns; the last application stays. Not
    // from an event handler.
    virtual void stop() = 0;
};
