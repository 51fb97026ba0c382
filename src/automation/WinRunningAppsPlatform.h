#pragma once

#include <memory>

class ProcessApi;
class WindowApi;
class WindowEnumerator;

// The platform calls the running-application inspection and the foreground
// tracking make, each behind a narrow interface, so that their logic runs
// against fakes in tests and against Win32 in the program.
struct WinRunningAppsPlatform {
    std::shared_ptr<ProcessApi> processes;
    std::shared_ptr<WindowApi> windows;
    std::shared_ptr<WindowEnumerator> topLevelWindows;

    // Every member over the real platform.
    static std::shared_ptr<const WinRunningAppsPlatform> real();
};
