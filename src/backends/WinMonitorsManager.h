#pragma once

#include "backends/WinMonitorPlatform.h"
#include "monitor/MonitorManager.h"
#include "support/kelThreadSafe.h"

#include <memory>

// Base of the back-end managers: one display snapshot and the monitors a
// back-end found in it, replaced together by every enumeration. The mutex is
// not recursive, so enumerate() must not call monitors() on its own manager.
class WinMonitorsManager : public MonitorsManager, public kelThreadSafe4 {
public:
    explicit WinMonitorsManager(std::shared_ptr<const WinMonitorPlatform> platform);

    std::shared_ptr<const MonitorManagerList> monitors() override;
    // Takes a new snapshot of the display devices and enumerates it.
    bool refresh() override;
    bool enumerateWith(std::shared_ptr<DisplayDevicesInfo> snapshot);

protected:
    // Fills the list from the snapshot; runs with the mutex held.
    virtual bool enumerate() = 0;

    const WinMonitorPlatform& platform() const { return *platformCalls; }
    const std::shared_ptr<const WinMonitorPlatform>& platformPointer() const { return platformCalls; }
    const std::shared_ptr<DisplayDevicesInfo>& snapshot() const { return devices; }
    void add(std::shared_ptr<MonitorManager> monitor) { building->push_back(std::move(monitor)); }
    void add(std::shared_ptr<DisplayDeviceInfo> adapter, std::shared_ptr<DisplayDeviceInfo> monitor,
             std::shared_ptr<MonitorControl> control);

private:
    std::shared_ptr<const WinMonitorPlatform> platformCalls;
    std::shared_ptr<DisplayDevicesInfo> devices;
    // The list enumerate() fills; published as the current list from the start.
    std::shared_ptr<MonitorManagerList> building;
    std::shared_ptr<const MonitorManagerList> list;
};
