#pragma once

#include "monitor/MonitorManager.h"
#include "monitor/VtDisplayDeviceInfo.h"

#include <cstdint>
#include <memory>

// One listed monitor: the platform's monitor under its database id, shown
// through its VtDisplayDeviceInfo.
class VtMonitorManager : public MonitorManager {
public:
    VtMonitorManager(std::uint32_t id, std::shared_ptr<MonitorManager> platformMonitor,
                     std::shared_ptr<VtDisplayDeviceInfo> info);

    std::uint32_t id() const { return monitorId; }
    const std::shared_ptr<MonitorManager>& platformMonitor() const { return platform; }
    const std::shared_ptr<VtDisplayDeviceInfo>& info() const { return shownInfo; }

    std::shared_ptr<DisplayDeviceInfo> displayDevice() const override { return shownInfo; }
    std::shared_ptr<DisplayDeviceInfo> adapterDevice() const override { return platform->adapterDevice(); }
    std::shared_ptr<MonitorControl> control() const override { return platform->control(); }

private:
    std::uint32_t monitorId;
    std::shared_ptr<MonitorManager> platform;
    std::shared_ptr<VtDisplayDeviceInfo> shownInfo;
};
