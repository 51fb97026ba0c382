#pragma once

#include "automation/RunningAppInfo.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The window queries the running-application inspection and the foreground
// tracking make.
class WindowApi {
public:
    // The longest window title that is read.
    static constexpr std::size_t maxTitleLength = 1000;

    virtual ~WindowApi() = default;

    // The window in front; null when there is none.
    virtual WindowHandle foregroundWindow() = 0;
    // The id of the process that made window; 0 for no window.
    virtual std::uint32_t processIdOf(WindowHandle window) = 0;
    // Whether window has a parent or an owner.
    virtual bool hasParent(WindowHandle window) = 0;
    virtual bool isVisible(WindowHandle window) = 0;
    // Its title, at most maxTitleLength characters.
    virtual std::wstring title(WindowHandle window) = 0;
};
