#pragma once

#include "automation/RunningAppsEnumerator.h"
#include "automation/WinRunningAppsPlatform.h"

#include <memory>

// The running applications: every process whose program path can be read,
// with or without windows; processes that cannot be opened drop out.
class WinRunningAppsEnumerator : public RunningAppsEnumerator {
public:
    explicit WinRunningAppsEnumerator(
        std::shared_ptr<const WinRunningAppsPlatform> platform = WinRunningAppsPlatform::real());

    std::vector<std::unique_ptr<RunningAppInfo>> enumerate() override;

private:
    std::shared_ptr<const WinRunningAppsPlatform> platform;
};
