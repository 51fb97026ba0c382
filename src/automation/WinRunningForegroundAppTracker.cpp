#include "automation/WinRunningForegroundAppTracker.h"

#include "automation/WinRunningForegroundAppInfo.h"

#include <utility>

WinRunningForegroundAppTracker::WinRunningForegroundAppTracker(std::shared_ptr<const WinRunningAppsPlatform> platform)
    : PollingForegroundAppTracker(std::make_shared<WinRunningForegroundAppInfo>(std::move(platform)))
{
}
