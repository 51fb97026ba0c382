#pragma once

#include "automation/RunningAppInfo.h"

#include <memory>
#include <vector>

// Lists the running applications.
class RunningAppsEnumerator {
public:
    virtual ~RunningAppsEnumerator() = default;
    // One entry per process whose program file can be read, in the process
    // list's order; several processes of one program are listed once each.
    virtual std::vector<std::unique_ptr<RunningAppInfo>> enumerate() = 0;
};
