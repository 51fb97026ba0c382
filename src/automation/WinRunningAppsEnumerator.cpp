#include "automation/WinRunningAppsEnumerator.h"

#include "automation/WinRunningAppInfo.h"
#include "automation/WinWindowByProcessEnumerator.h"
#include "automation/kelProcessList.h"

#include <utility>

WinRunningAppsEnumerator::WinRunningAppsEnumerator(std::shared_ptr<const WinRunningAppsPlatform> platform)
    : platform(std::move(platform))
{
}

std::vector<std::unique_ptr<RunningAppInfo>> WinRunningAppsEnumerator::enumerate()
{
    const WindowsByProcess windows = WinWindowByProcessEnumerator(platform).enumerate();
    kelProcessList processes(platform->processes);
    processes.refresh();
    std::vector<std::unique_ptr<RunningAppInfo>> apps;
    for (const auto& entry : processes.entries()) {
        if (auto app = WinRunningAppInfo::fromProcessEntry(entry, windows, *platform->windows))
            apps.push_back(std::move(app));
    }
    return apps;
}
