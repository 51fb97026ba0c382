#pragma once

#include "backends/WinMonitorsManager.h"

#include <windows.h>

// Finds the physical monitors that answer DDC/CI and pairs each with a
// monitor device of the display snapshot, by the display it sits behind and
// its description. Reaches the platform through its monitorConfiguration
// member, which must be present.
class WinDdcCiMonitorsManager : public WinMonitorsManager {
public:
    explicit WinDdcCiMonitorsManager(std::shared_ptr<const WinMonitorPlatform> platform);

protected:
    // The result of the platform's display monitor enumeration; a display
    // whose physical monitors cannot be read is skipped.
    bool enumerate() override;

private:
    void addPhysicalMonitorsOf(HMONITOR display);
};
