#pragma once

#include "automation/WindowByProcessEnumerator.h"

#include <memory>

struct WinRunningAppsPlatform;

// Every top-level window under the id of the process that made it.
class WinWindowByProcessEnumerator : public WindowByProcessEnumerator {
public:
    explicit WinWindowByProcessEnumerator(std::shared_ptr<const WinRunningAppsPlatform> platform);

    WindowsByProcess enumerate() override;

private:
    std::shared_ptr<const WinRunningAppsPlatform> platform;
};
