#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The platform's window handle, named without the platform's headers.
struct HWND__;
using WindowHandle = HWND__*;

// A running application as the per-application features see it: one process,
// its program file and its top-level windows. Not changed after it is made,
// so any thread may read it.
class RunningAppInfo {
public:
    virtual ~RunningAppInfo() = default;

    // The name shown to the user: a window title with the program's file
    // name, or the file name alone.
    virtual std::wstring displayName() const = 0;
    virtual std::uint32_t processId() const = 0;
    // The full path of the process's program file; never empty.
    virtual std::wstring programPath() const = 0;
    // The process's top-level windows in the order the platform listed them.
    virtual std::vector<WindowHandle> windows() const = 0;
    // The command line the process was started with, as read from it; the
    // quoted program path when it could not be read.
    virtual std::wstring commandLine() const = 0;
};
