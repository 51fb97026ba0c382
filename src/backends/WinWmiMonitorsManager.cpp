#include "backends/WinWmiMonitorsManager.h"

#include "backends/WbemLocator.h"
#include "backends/WbemServices.h"
#include "backends/WinWmiMonitorControl.h"
#include "backends/WinWmiMonitorIds2DdiMap.h"

WinWmiMonitorsManager::WinWmiMonitorsManager(std::shared_ptr<const WinMonitorPlatform> platform)
    : WinMonitorsManager(std::move(platform))
{
}

std::shared_ptr<const WinWmiMonitorIds2DdiMap> WinWmiMonitorsManager::idMap() const
{
    auto guard = lock();
    return ids;
}

bool WinWmiMonitorsManager::connect()
{
    if (locator && services)
        return true;
    // A locator connects only once, so every attempt needs a new one.
    locator = std::make_shared<WbemLocator>(platform().wmi);
    services = locator->connect(L"root\\wmi");
    return services != nullptr;
}

bool WinWmiMonitorsManager::enumerate()
{
    if (!connect())
        return false;
    const WinWmiMonitorIdList wmiIds = loadWmiMonitorIds(*services);
    ids = std::make_shared<const WinWmiMonitorIds2DdiMap>(snapshot(), wmiIds);
    for (const auto& id : wmiIds) {
        const WmiMonitorMatch match = ids->findByInstanceName(id->instanceName);
        if (!match.adapter || !match.monitor)
            continue;
        auto control = std::make_shared<WinWmiMonitorControl>(locator, services, id->instanceName);
        if (control->initialize())
            add(match.adapter, match.monitor, std::move(control));
    }
    return true;
}
