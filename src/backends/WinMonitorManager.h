#pragma once

#include "monitor/MonitorManager.h"

// One monitor a back-end found: the snapshot's adapter and monitor device it
// belongs to and the control that reaches it.
class WinMonitorManager : public MonitorManager {
public:
    WinMonitorManager(std::shared_ptr<DisplayDeviceInfo> adapter, std::shared_ptr<DisplayDeviceInfo> monitor,
                      std::shared_ptr<MonitorControl> control)
        : adapter(std::move(adapter)), monitor(std::move(monitor)), monitorControl(std::move(control))
    {
    }

    std::shared_ptr<DisplayDeviceInfo> displayDevice() const override { return monitor; }
    std::shared_ptr<DisplayDeviceInfo> adapterDevice() const override { return adapter; }
    std::shared_ptr<MonitorControl> control() const override { return monitorControl; }

private:
    std::shared_ptr<DisplayDeviceInfo> adapter;
    std::shared_ptr<DisplayDeviceInfo> monitor;
    std::shared_ptr<MonitorControl> monitorControl;
};
