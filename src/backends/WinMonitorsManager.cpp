#include "backends/WinMonitorsManager.h"

#include "backends/WinDisplayDevicesInfo.h"
#include "backends/WinMonitorManager.h"

WinMonitorsManager::WinMonitorsManager(std::shared_ptr<const WinMonitorPlatform> platform)
    : platformCalls(std::move(platform)), list(std::make_shared<MonitorManagerList>())
{
}

std::shared_ptr<const MonitorManagerList> WinMonitorsManager::monitors()
{
    auto guard = lock();
    return list;
}

bool WinMonitorsManager::refresh()
{
    return enumerateWith(std::make_shared<WinDisplayDevicesInfo>(*platformCalls->displayDevices));
}

bool WinMonitorsManager::enumerateWith(std::shared_ptr<DisplayDevicesInfo> snapshot)
{
    auto guard = lock();
    devices = std::move(snapshot);
    building = std::make_shared<MonitorManagerList>();
    list = building;
    return enumerate();
}

void WinMonitorsManager::add(std::shared_ptr<DisplayDeviceInfo> adapter, std::shared_ptr<DisplayDeviceInfo> monitor,
                             std::shared_ptr<MonitorControl> control)
{
    add(std::make_shared<WinMonitorManager>(std::move(adapter), std::move(monitor), std::move(control)));
}
