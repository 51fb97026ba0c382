#pragma once

#include "backends/WinWmiMonitorId.h"
#include "monitor/DisplayDeviceInfo.h"

#include <memory>

// A monitor device shown under the names WMI gives it: the friendly name,
// manufacturer, product code and serial number, when WMI knows the monitor.
// The platform's own record stays reachable as the wrapped device.
class WinDisplayDeviceMultiInfo : public DisplayDeviceInfo, public WrapsDisplayDevice {
public:
    // wmiId may be empty.
    WinDisplayDeviceMultiInfo(std::shared_ptr<DisplayDeviceInfo> monitor, std::shared_ptr<const WinWmiMonitorId> wmiId);

    int isActive() const override { return monitor->isActive(); }
    std::wstring deviceName() const override { return monitor->deviceName(); }
    std::wstring displayName() const override;
    std::wstring instanceName() const override { return monitor->instanceName(); }
    std::wstring manufacturerName() const override;
    std::wstring productCode() const override;
    std::wstring serialNumber() const override;

    std::shared_ptr<DisplayDeviceInfo> wrappedDevice() const override { return monitor; }

private:
    std::wstring wmiField(std::wstring WinWmiMonitorId::*field) const;

    std::shared_ptr<DisplayDeviceInfo> monitor;
    std::shared_ptr<const WinWmiMonitorId> wmiId;
};
