#pragma once

#include "monitor/DisplayDeviceInfo.h"
#include "monitor/MonitorControl.h"

#include <memory>
#include <vector>

// One monitor: the device it is shown as, the adapter it hangs on and the
// control that changes its picture.
class MonitorManager {
public:
    virtual std::shared_ptr<DisplayDeviceInfo> displayDevice() const = 0;
    virtual std::shared_ptr<DisplayDeviceInfo> adapterDevice() const = 0;
    virtual std::shared_ptr<MonitorControl> control() const = 0;
    virtual ~MonitorManager() = default;
};

using MonitorManagerList = std::vector<std::shared_ptr<MonitorManager>>;

// The current list of monitors and the means to rebuild it. A list once
// handed out is never edited: a rebuild makes a new one, so holders of the
// old list keep a consistent view.
class MonitorsManager {
public:
    virtual std::shared_ptr<const MonitorManagerList> monitors() = 0;
    virtual bool refresh() = 0;
    virtual void captureControlledStates() {}
    virtual bool restoreOriginalStates() { return false; }
    virtual ~MonitorsManager() = default;
};
