#pragma once

#include "backends/WinMonitorsManager.h"
#include "monitor/MonitorValueKinds.h"

#include <memory>
#include <vector>

class WinWmiMonitorsManager;

// The one monitors manager the program sees: runs the DDC/CI, WMI and
// gamma-ramp managers over one snapshot and lists each monitor device that any
// of them reaches once, with a multi-control over all its back-ends and the
// names WMI knows for it.
class WinAllMonitorsManager : public WinMonitorsManager {
public:
    WinAllMonitorsManager(std::shared_ptr<const WinMonitorPlatform> platform, ControlMethod preferredMethod);

protected:
    bool enumerate() override;

private:
    struct Finding;
    std::vector<Finding> collectFindings() const;

    ControlMethod preferredMethod;
    std::vector<std::shared_ptr<WinMonitorsManager>> subManagers;
    std::weak_ptr<WinWmiMonitorsManager> wmiManager;
};
