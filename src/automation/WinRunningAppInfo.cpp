#include "automation/WinRunningAppInfo.h"

#include "automation/RunningAppShownName.h"
#include "automation/WinRunningAppsPlatform.h"

#include <utility>

namespace {

std::vector<WindowHandle> windowsOf(std::uint32_t processId, const WindowsByProcess& windows)
{
    std::vector<WindowHandle> found;
    const auto [first, last] = windows.equal_range(processId);
    for (auto window = first; window != last; ++window)
        found.push_back(window->second);
    return found;
}

} // namespace

std::unique_ptr<WinRunningAppInfo> WinRunningAppInfo::fromProcessEntry(const kelProcessList::Entry& entry,
                                                                       const WindowsByProcess& windows,
                                                                       WindowApi& windowApi)
{
    return make(entry.processId, entry.commandLine, windows, windowApi);
}

std::unique_ptr<WinRunningAppInfo> WinRunningAppInfo::fromProcessId(std::uint32_t processId,
                                                                    const WindowsByProcess& windows,
                                                                    const WinRunningAppsPlatform& platform)
{
    return make(processId, ProcessCommandLine::ofProcess(*platform.processes, processId), windows, *platform.windows);
}

std::unique_ptr<WinRunningAppInfo> WinRunningAppInfo::make(std::uint32_t processId, ProcessCommandLine commandLine,
                                                           const WindowsByProcess& windows, WindowApi& windowApi)
{
    if (commandLine.program.empty())
        return nullptr;
    return std::unique_ptr<WinRunningAppInfo>(
        new WinRunningAppInfo(processId, std::move(commandLine), windows, windowApi));
}

WinRunningAppInfo::WinRunningAppInfo(std::uint32_t processId, ProcessCommandLine commandLine,
                                     const WindowsByProcess& windows, WindowApi& windowApi)
    : id(processId),
      command(std::move(commandLine)),
      processWindows(windowsOf(processId, windows)),
      shownName(runningAppShownName(processWindows, windowApi, command.program))
{
}
