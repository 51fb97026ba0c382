#include "backends/WinAllMonitorsManager.h"

#include "backends/WinDdcCiMonitorsManager.h"
#include "backends/WinDisplayDeviceInfo.h"
#include "backends/WinDisplayDeviceMultiInfo.h"
#include "backends/WinGammaRampMonitorsManager.h"
#include "backends/WinWmiMonitorIds2DdiMap.h"
#include "backends/WinWmiMonitorsManager.h"
#include "monitor/MonitorMultiControl.h"

#include <algorithm>

// One monitor device and the back-ends that reach it, in the order they were found.
struct WinAllMonitorsManager::Finding {
    std::shared_ptr<WinDisplayDeviceInfo> monitor;
    std::shared_ptr<DisplayDeviceInfo> adapter;
    std::vector<std::shared_ptr<MonitorControl>> controls;
};

WinAllMonitorsManager::WinAllMonitorsManager(std::shared_ptr<const WinMonitorPlatform> platform,
                                             ControlMethod preferredMethod)
    : WinMonitorsManager(std::move(platform)), preferredMethod(preferredMethod)
{
}

bool WinAllMonitorsManager::enumerate()
{
    auto wmi = std::make_shared<WinWmiMonitorsManager>(platformPointer());
    wmiManager = wmi;
    subManagers = {std::make_shared<WinDdcCiMonitorsManager>(platformPointer()), wmi,
                   std::make_shared<WinGammaRampMonitorsManager>(platformPointer())};
    for (const auto& manager : subManagers)
        manager->enumerateWith(snapshot());

    // Without a WMI connection there is no id map, and no monitor gets WMI names.
    const auto idMap = wmi->idMap();
    for (auto& finding : collectFindings()) {
        std::shared_ptr<const WinWmiMonitorId> wmiId;
        if (idMap && !finding.monitor->interfacePath().empty())
            wmiId = idMap->findByInterfacePath(finding.monitor->interfacePath()).id;
        add(finding.adapter, std::make_shared<WinDisplayDeviceMultiInfo>(finding.monitor, wmiId),
            std::make_shared<MonitorMultiControl>(std::move(finding.controls), preferredMethod));
    }
    return true;
}

// Groups the sub-managers' findings by monitor device object. The list keeps
// the order in which monitors were first found, so new monitors get their ids
// in a stable order: DDC/CI's discovery order first, then WMI's, then the
// gamma ramp's.
std::vector<WinAllMonitorsManager::Finding> WinAllMonitorsManager::collectFindings() const
{
    std::vector<Finding> findings;
    for (const auto& manager : subManagers) {
        for (const auto& found : *manager->monitors()) {
            auto monitor = std::dynamic_pointer_cast<WinDisplayDeviceInfo>(found->displayDevice());
            auto control = found->control();
            if (!monitor || !control)
                continue;
            auto adapter = std::dynamic_pointer_cast<WinDisplayDeviceInfo>(found->adapterDevice());
            auto same = std::find_if(findings.begin(), findings.end(),
                                     [&](const Finding& finding) { return finding.monitor == monitor; });
            if (same == findings.end()) {
                findings.push_back(Finding{monitor, adapter, {control}});
                continue;
            }
            same->controls.push_back(control);
            if (!same->adapter)
                same->adapter = adapter;
        }
    }
    return findings;
}
