#pragma once

#include "backends/WinMonitorsManager.h"

#include <memory>

class WbemLocator;
class WbemServices;
class WinWmiMonitorIds2DdiMap;

// Finds the monitors whose brightness WMI controls (built-in panels) and
// keeps the map of WMI monitor ids to the snapshot's devices, which the
// merge of all back-ends reads after an enumeration. Its controls share its
// WMI connection.
class WinWmiMonitorsManager : public WinMonitorsManager {
public:
    explicit WinWmiMonitorsManager(std::shared_ptr<const WinMonitorPlatform> platform);

    // The map the last enumeration built; empty while WMI could not be reached.
    std::shared_ptr<const WinWmiMonitorIds2DdiMap> idMap() const;

protected:
    // False only when WMI cannot be reached.
    bool enumerate() override;

private:
    bool connect();

    std::shared_ptr<WbemLocator> locator;
    std::shared_ptr<WbemServices> services;
    std::shared_ptr<const WinWmiMonitorIds2DdiMap> ids;
};
