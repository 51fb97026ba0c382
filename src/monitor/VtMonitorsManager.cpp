#include "monitor/VtMonitorsManager.h"

#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/VtDisplayDeviceInfo.h"
#include "monitor/VtMonitorStateKeeping.h"

#include <utility>

namespace {

// A monitor that cannot change brightness is never shown, nor one whose
// device is not part of the desktop.
bool isListable(const std::shared_ptr<MonitorManager>& monitor)
{
    if (!monitor)
        return false;
    const auto control = monitor->control();
    const auto device = monitor->displayDevice();
    return control && device && control->isSupported(Brightness) && device->isActive() != 0;
}

MonitorManagerList listableMonitors(const std::shared_ptr<const MonitorManagerList>& platformList)
{
    MonitorManagerList listable;
    if (platformList) {
        for (const auto& monitor : *platformList) {
            if (isListable(monitor))
                listable.push_back(monitor);
        }
    }
    return listable;
}

// Every entry of the list is a VtMonitorManager: refresh builds nothing else.
VtMonitorList vtMonitors(const MonitorManagerList& list)
{
    VtMonitorList monitors;
    monitors.reserve(list.size());
    for (const auto& monitor : list)
        monitors.push_back(std::static_pointer_cast<VtMonitorManager>(monitor));
    return monitors;
}

} // namespace

VtMonitorsManager::VtMonitorsManager(PlatformFactory makePlatform, std::shared_ptr<DisplayDeviceInfoDb> deviceDb,
                                     std::shared_ptr<VtMonitorsState> originalStates,
                                     std::shared_ptr<VtMonitorsState> controlledStates, ControlMethod preferredMethod)
    : makePlatform(std::move(makePlatform)), list(std::make_shared<const MonitorManagerList>()),
      deviceDb(std::move(deviceDb)), originalStates(std::move(originalStates)),
      controlledStates(std::move(controlledStates)), preferredMethod(preferredMethod)
{
}

std::shared_ptr<const MonitorManagerList> VtMonitorsManager::monitors()
{
    const std::lock_guard lock(publishedMutex);
    return list;
}

void VtMonitorsManager::publish(std::shared_ptr<const MonitorManagerList> monitors)
{
    std::shared_ptr<const MonitorManagerList> replaced;
    {
        const std::lock_guard lock(publishedMutex);
        replaced = std::exchange(list, std::move(monitors));
    }
    // Let go of outside the lock: the monitors in it may go with it.
}

bool VtMonitorsManager::refresh()
{
    auto newPlatform = makePlatform(preferredMethod);
    if (!newPlatform || !newPlatform->refresh())
        return false;
    platform = std::move(newPlatform);

    const MonitorManagerList candidates = listableMonitors(platform->monitors());
    DisplayDeviceList devices;
    for (const auto& candidate : candidates)
        devices.push_back(candidate->displayDevice());
    const auto records = deviceDb->assignIds(devices);

    VtMonitorList monitors;
    for (std::size_t index = 0; index < candidates.size(); ++index) {
        const auto& record = *records[index];
        const std::wstring idText = VtDisplayDeviceInfo::idText(record.id);
        auto info = std::make_shared<VtDisplayDeviceInfo>(
            devices[index], VtDisplayDeviceInfo::shownName(record.displayName, record.id), idText);
        monitors.push_back(std::make_shared<VtMonitorManager>(record.id, candidates[index], info));
        const std::lock_guard lock(publishedMutex);
        legacyIds[platformDisplayName(*devices[index])] = idText;
    }
    publish(std::make_shared<const MonitorManagerList>(monitors.begin(), monitors.end()));

    // The controlled state goes back first, so a gamma ramp adopts its exact
    // coefficients before anything is captured from it; a first-seen monitor
    // has its original picture recorded before the program changes anything.
    restoreStates(*controlledStates, monitors);
    captureMissingStates(*originalStates, monitors);
    captureMissingStates(*controlledStates, monitors);
    return true;
}

void VtMonitorsManager::captureControlledStates()
{
    for (const auto& monitor : vtMonitors(*monitors()))
        captureState(*controlledStates, *monitor);
}

bool VtMonitorsManager::restoreOriginalStates()
{
    return restoreStates(*originalStates, vtMonitors(*monitors()));
}

void VtMonitorsManager::releaseMonitors()
{
    publish(std::make_shared<const MonitorManagerList>());
    platform.reset();
}

std::wstring VtMonitorsManager::idForLegacyName(const std::wstring& name) const
{
    const std::lock_guard lock(publishedMutex);
    const auto found = legacyIds.find(name);
    return found == legacyIds.end() ? std::wstring() : found->second;
}
