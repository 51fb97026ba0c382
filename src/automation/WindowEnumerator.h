#pragma once

#include "automation/RunningAppInfo.h"

#include <vector>

// Lists the top-level windows.
class WindowEnumerator {
public:
    virtual ~WindowEnumerator() = default;
    // Every top-level window, in z-order.
    virtual std::vector<WindowHandle> enumerate() = 0;
};
