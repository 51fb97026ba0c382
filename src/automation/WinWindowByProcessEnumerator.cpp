#include "automation/WinWindowByProcessEnumerator.h"

#include "automation/WindowApi.h"
#include "automation/WindowEnumerator.h"
#include "automation/WinRunningAppsPlatform.h"

#include <utility>

WinWindowByProcessEnumerator::WinWindowByProcessEnumerator(std::shared_ptr<const WinRunningAppsPlatform> platform)
    : platform(std::move(platform))
{
}

WindowsByProcess WinWindowByProcessEnumerator::enumerate()
{
    WindowsByProcess windows;
    for (const WindowHandle window : platform->topLevelWindows->enumerate())
        windows.emplace(platform->windows->processIdOf(window), window);
    return windows;
}
