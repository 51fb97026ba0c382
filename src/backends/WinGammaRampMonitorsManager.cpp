#include "backends/WinGammaRampMonitorsManager.h"

#include "backends/WinGammaRampMonitorControl.h"

bool WinGammaRampMonitorsManager::enumerate()
{
    for (const auto& adapter : snapshot()->adapters()) {
        for (const auto& monitor : snapshot()->monitorsOf(adapter)) {
            auto control = std::make_shared<WinGammaRampMonitorControl>(platform().gammaRamp, adapter->deviceName());
            if (control->initialize())
                add(adapter, monitor, std::move(control));
        }
    }
    return true;
}
