#pragma once

#include "automation/RunningAppInfo.h"

#include <memory>

// Describes the application in front.
class RunningForegroundAppInfo {
public:
    virtual ~RunningForegroundAppInfo() = default;

    // The window in front, null when there is none; cheap enough to ask ten
    // times a second.
    virtual WindowHandle foregroundWindow() = 0;
    // The application that owns the window in front; none when there is no
    // window in front or its process or program path cannot be read.
    virtual std::unique_ptr<RunningAppInfo> foregroundApp() = 0;
};
