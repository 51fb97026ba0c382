#include "automation/WinRunningAppsPlatform.h"

#include "automation/WinProcessApi.h"
#include "automation/WinWindowApi.h"
#include "automation/WinWindowEnumerator.h"

std::shared_ptr<const WinRunningAppsPlatform> WinRunningAppsPlatform::real()
{
    auto platform = std::make_shared<WinRunningAppsPlatform>();
    platform->processes = std::make_shared<WinProcessApi>();
    platform->windows = std::make_shared<WinWindowApi>();
    platform->topLevelWindows = std::make_shared<WinWindowEnumerator>();
    return platform;
}
