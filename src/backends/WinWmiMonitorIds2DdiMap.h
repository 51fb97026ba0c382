#pragma once

#include "backends/WinWmiMonitorId.h"
#include "monitor/DisplayDeviceInfo.h"

#include <map>
#include <memory>
#include <string>

// A WMI monitor id and the adapter and monitor device of a snapshot it was
// found to be; all empty when it matched nothing.
struct WmiMonitorMatch {
    std::shared_ptr<DisplayDeviceInfo> adapter;
    std::shared_ptr<DisplayDeviceInfo> monitor;
    std::shared_ptr<const WinWmiMonitorId> id;
};

// Which monitor device of one snapshot each WMI monitor id is. An id matches
// the first monitor whose interface path carries both the id's unique-id
// token (&UID and the letters and digits after it) and its manufacturer
// followed by its product code, each as a whole word, so &UID4352 does not
// match &UID43521. Immutable once built.
class WinWmiMonitorIds2DdiMap {
public:
    WinWmiMonitorIds2DdiMap(std::shared_ptr<DisplayDevicesInfo> snapshot, const WinWmiMonitorIdList& ids);

    const std::shared_ptr<DisplayDevicesInfo>& snapshot() const { return devices; }
    // Every loaded id is here, matched or not; a later id with the same
    // instance name replaced an earlier one.
    WmiMonitorMatch findByInstanceName(const std::wstring& instanceName) const;
    // Only matched ids are here, under their monitor's interface path.
    WmiMonitorMatch findByInterfacePath(const std::wstring& interfacePath) const;

private:
    std::shared_ptr<DisplayDevicesInfo> devices;
    std::map<std::wstring, WmiMonitorMatch> byInstanceName;
    std::map<std::wstring, WmiMonitorMatch> byInterfacePath;
};
