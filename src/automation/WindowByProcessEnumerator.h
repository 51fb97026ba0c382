#pragma once

#include "automation/RunningAppInfo.h"

#include <cstdint>
#include <map>

// The top-level windows of every process: for one process id the windows
// keep the order of the window enumeration.
using WindowsByProcess = std::multimap<std::uint32_t, WindowHandle>;

class WindowByProcessEnumerator {
public:
    virtual ~WindowByProcessEnumerator() = default;
    virtual WindowsByProcess enumerate() = 0;
};
