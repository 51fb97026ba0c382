#include "automation/PollingForegroundAppTracker.h"

#include "automation/RunningForegroundAppInfo.h"

#include <mutex>
#include <utility>

PollingForegroundAppTracker::PollingForegroundAppTracker(std::shared_ptr<RunningForegroundAppInfo> foreground)
    : foreground(std::move(foreground))
{
    // Taken here rather than on the thread, so that a window brought to the
    // front right after construction is always a change.
    const WindowHandle inFront = this->foreground->foregroundWindow();
    startThread([this, inFront] { track(inFront); });
}

PollingForegroundAppTracker::~PollingForegroundAppTracker()
{
    requestStop(true);
}

std::shared_ptr<const RunningAppInfo> PollingForegroundAppTracker::foregroundApp()
{
    const std::lock_guard lock(currentMutex);
    return current;
}

void PollingForegroundAppTracker::track(WindowHandle lastSeen)
{
    while (!waitForStop()) {
        const WindowHandle inFront = foreground->foregroundWindow();
        if (inFront == lastSeen)
            continue;
        lastSeen = inFront;
        replaceCurrent(foreground->foregroundApp());
        raiseCode(0);
    }
}

void PollingForegroundAppTracker::replaceCurrent(std::shared_ptr<const RunningAppInfo> app)
{
    {
        const std::lock_guard lock(currentMutex);
        current.swap(app);
    }
    // app now holds the previous application, released here outside the lock.
}
