#include "backends/WinMonitorPlatform.h"

#include "backends/WinComWmiApi.h"
#include "backends/WinDisplayDevicesApi.h"
#include "backends/WinDxva2MonitorConfigurationApi.h"
#include "backends/WinGdiGammaRampApi.h"

std::shared_ptr<const WinMonitorPlatform> WinMonitorPlatform::real()
{
    static const auto platform = std::make_shared<const WinMonitorPlatform>(WinMonitorPlatform{
        std::make_shared<WinUser32DisplayDevicesApi>(), std::make_shared<WinDxva2MonitorConfigurationApi>(),
        std::make_shared<WinGdiGammaRampApi>(), std::make_shared<WinComWmiApi>()});
    return platform;
}
