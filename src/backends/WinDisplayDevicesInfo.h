#pragma once

#include "monitor/DisplayDeviceInfo.h"

#include <map>

class WinDisplayDevicesApi;

// The adapters attached to the desktop and their monitors, read once at
// construction and fixed afterwards.
class WinDisplayDevicesInfo : public DisplayDevicesInfo {
public:
    explicit WinDisplayDevicesInfo(WinDisplayDevicesApi& api);

    DisplayDeviceList adapters() const override { return adapterList; }
    DisplayDeviceList allMonitors() const override { return monitorList; }
    DisplayDeviceList monitorsOf(const std::shared_ptr<DisplayDeviceInfo>& adapter) const override;

private:
    void addAdapter(WinDisplayDevicesApi& api, const std::wstring& adapterName, std::shared_ptr<DisplayDeviceInfo> adapter);

    DisplayDeviceList adapterList;
    DisplayDeviceList monitorList;
    std::map<const DisplayDeviceInfo*, DisplayDeviceList> monitorsByAdapter;
};
