#include "automation/WinRunningForegroundAppInfo.h"

#include "automation/WindowApi.h"
#include "automation/WinRunningAppInfo.h"
#include "automation/WinWindowByProcessEnumerator.h"

#include <utility>

WinRunningForegroundAppInfo::WinRunningForegroundAppInfo(std::shared_ptr<const WinRunningAppsPlatform> platform)
    : platform(std::move(platform))
{
}

WindowHandle WinRunningForegroundAppInfo::foregroundWindow()
{
    return platform->windows->foregroundWindow();
}

std::unique_ptr<RunningAppInfo> WinRunningForegroundAppInfo::foregroundApp()
{
    const std::uint32_t processId = platform->windows->processIdOf(foregroundWindow());
    if (processId == 0)
        return nullptr;
    const WindowsByProcess windows = WinWindowByProcessEnumerator(platform).enumerate();
    return WinRunningAppInfo::fromProcessId(processId, windows, *platform);
}
