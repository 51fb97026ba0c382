#pragma once

#include <memory>
#include <string>
#include <vector>

class WbemServices;

// A monitor as WMI identifies it; instanceName is never empty.
struct WinWmiMonitorId {
    std::wstring instanceName;
    std::wstring manufacturerName;
    std::wstring productCode;
    std::wstring serialNumber;
    std::wstring friendlyName;
};

using WinWmiMonitorIdList = std::vector<std::shared_ptr<const WinWmiMonitorId>>;

// The monitor ids of the WMI namespace the services are connected to, in
// the order WMI lists them. An id whose instance name cannot be read as a
// string is dropped; a name or code that cannot be read stays empty.
WinWmiMonitorIdList loadWmiMonitorIds(WbemServices& services);
