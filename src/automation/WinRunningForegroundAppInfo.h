#pragma once

#include "automation/RunningForegroundAppInfo.h"
#include "automation/WinRunningAppsPlatform.h"

#include <memory>

// The application in front, described by its process as the running
// applications are.
class WinRunningForegroundAppInfo : public RunningForegroundAppInfo {
public:
    explicit WinRunningForegroundAppInfo(
        std::shared_ptr<const WinRunningAppsPlatform> platform = WinRunningAppsPlatform::real());

    WindowHandle foregroundWindow() override;
    std::unique_ptr<RunningAppInfo> foregroundApp() override;

private:
    std::shared_ptr<const WinRunningAppsPlatform> platform;
};
