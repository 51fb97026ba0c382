#include "backends/WinDisplayDeviceMultiInfo.h"

WinDisplayDeviceMultiInfo::WinDisplayDeviceMultiInfo(std::shared_ptr<DisplayDeviceInfo> monitor,
                                                     std::shared_ptr<const WinWmiMonitorId> wmiId)
    : monitor(std::move(monitor)), wmiId(std::move(wmiId))
{
}

std::wstring WinDisplayDeviceMultiInfo::displayName() const
{
    const std::wstring friendlyName = wmiField(&WinWmiMonitorId::friendlyName);
    return friendlyName.empty() ? monitor->displayName() : friendlyName;
}

std::wstring WinDisplayDeviceMultiInfo::manufacturerName() const
{
    return wmiField(&WinWmiMonitorId::manufacturerName);
}

std::wstring WinDisplayDeviceMultiInfo::productCode() const
{
    return wmiField(&WinWmiMonitorId::productCode);
}

std::wstring WinDisplayDeviceMultiInfo::serialNumber() const
{
    return wmiField(&WinWmiMonitorId::serialNumber);
}

std::wstring WinDisplayDeviceMultiInfo::wmiField(std::wstring WinWmiMonitorId::*field) const
{
    return wmiId ? (*wmiId).*field : std::wstring();
}
