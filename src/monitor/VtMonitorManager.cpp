#include "monitor/VtMonitorManager.h"

#include <stdexcept>
#include <utility>

VtMonitorManager::VtMonitorManager(std::uint32_t id, std::shared_ptr<MonitorManager> platformMonitor,
                                   std::shared_ptr<VtDisplayDeviceInfo> info)
    : monitorId(id), platform(std::move(platformMonitor)), shownInfo(std::move(info))
{
    if (!platform || !shownInfo)
        throw std::invalid_argument("VtMonitorManager needs a platform monitor and its shown device");
}
