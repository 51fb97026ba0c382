#pragma once

#include "automation/ProcessCommandLine.h"
#include "automation/RunningAppInfo.h"
#include "automation/WindowByProcessEnumerator.h"
#include "automation/kelProcessList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class WindowApi;
struct WinRunningAppsPlatform;

// One running process with its program path, command line, top-level windows
// and the name it is shown by, all taken when it is made.
class WinRunningAppInfo : public RunningAppInfo {
public:
    // From an entry of the process list; none when the entry has no program path.
    static std::unique_ptr<WinRunningAppInfo> fromProcessEntry(const kelProcessList::Entry& entry,
                                                               const WindowsByProcess& windows, WindowApi& windowApi);
    // Reads the process's program path and command line; none when the
    // process cannot be opened or its program path cannot be read.
    static std::unique_ptr<WinRunningAppInfo> fromProcessId(std::uint32_t processId, const WindowsByProcess& windows,
                                                            const WinRunningAppsPlatform& platform);

    std::wstring displayName() const override { return shownName; }
    std::uint32_t processId() const override { return id; }
    std::wstring programPath() const override { return command.program; }
    std::vector<WindowHandle> windows() const override { return processWindows; }
    std::wstring commandLine() const override { return command.text; }

private:
    WinRunningAppInfo(std::uint32_t processId, ProcessCommandLine commandLine, const WindowsByProcess& windows,
                      WindowApi& windowApi);
    static std::unique_ptr<WinRunningAppInfo> make(std::uint32_t processId, ProcessCommandLine commandLine,
                                                   const WindowsByProcess& windows, WindowApi& windowApi);

    const std::uint32_t id;
    const ProcessCommandLine command;
    const std::vector<WindowHandle> processWindows;
    const std::wstring shownName;
};
