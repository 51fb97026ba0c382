#include "backends/WinDdcCiMonitorsManager.h"

#include "backends/WinDdcCiMonitorControl.h"
#include "backends/WinMonitorConfigurationApi.h"
#include "support/kelFixedText.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// The physical monitor records of one display. A handle handed over belongs
// to the control made from it; every other one is released here, so a
// physical monitor that matches no device does not hold its handle for the
// rest of the program's life.
class PhysicalMonitorRecords {
public:
    PhysicalMonitorRecords(WinMonitorConfigurationApi& api, DWORD count) : api(api), records(count) {}
    ~PhysicalMonitorRecords()
    {
        for (size_t index = 0; index < owned.size(); ++index) {
            if (owned[index])
                api.destroyPhysicalMonitor(records[index].hPhysicalMonitor);
        }
    }
    PhysicalMonitorRecords(const PhysicalMonitorRecords&) = delete;
    PhysicalMonitorRecords& operator=(const PhysicalMonitorRecords&) = delete;

    bool load(HMONITOR display)
    {
        if (!api.getPhysicalMonitors(display, static_cast<DWORD>(records.size()), records.data()))
            return false;
        owned.assign(records.size(), true);
        return true;
    }

    size_t size() const { return records.size(); }
    HANDLE handle(size_t index) const { return records[index].hPhysicalMonitor; }
    std::wstring description(size_t index) const { return kelFixedText(records[index].szPhysicalMonitorDescription); }
    void handOver(size_t index) { owned[index] = false; }

private:
    WinMonitorConfigurationApi& api;
    std::vector<PHYSICAL_MONITOR> records;
    std::vector<bool> owned;
};

struct DeviceMatch {
    std::shared_ptr<DisplayDeviceInfo> adapter;
    std::shared_ptr<DisplayDeviceInfo> monitor;
};

std::shared_ptr<DisplayDeviceInfo> findByDescription(const DisplayDeviceList& monitors, const std::wstring& description)
{
    const auto found = std::find_if(monitors.begin(), monitors.end(),
                                    [&](const auto& monitor) { return monitor->displayName() == description; });
    return found == monitors.end() ? nullptr : *found;
}

// Pairs the physical monitors of one display with monitor devices of the
// snapshot. They usually hang on one adapter, so the adapter of the last
// match is searched first.
class DisplayMatcher {
public:
    DisplayMatcher(const DisplayDevicesInfo& snapshot, std::wstring displayName)
        : snapshot(snapshot), displayName(std::move(displayName))
    {
    }

    DeviceMatch match(const std::wstring& description)
    {
        if (remembered) {
            if (auto monitor = findByDescription(snapshot.monitorsOf(remembered), description))
                return {remembered, std::move(monitor)};
            remembered.reset();
        }
        for (const auto& adapter : snapshot.adapters()) {
            if (adapter->deviceName() != displayName)
                continue;
            if (auto monitor = findByDescription(snapshot.monitorsOf(adapter), description)) {
                remembered = adapter;
                return {adapter, std::move(monitor)};
            }
        }
        return {};
    }

private:
    const DisplayDevicesInfo& snapshot;
    const std::wstring displayName;
    std::shared_ptr<DisplayDeviceInfo> remembered;
};

} // namespace

WinDdcCiMonitorsManager::WinDdcCiMonitorsManager(std::shared_ptr<const WinMonitorPlatform> platform)
    : WinMonitorsManager(std::move(platform))
{
    if (!this->platform().monitorConfiguration)
        throw std::invalid_argument("WinDdcCiMonitorsManager needs the monitor configuration calls");
}

bool WinDdcCiMonitorsManager::enumerate()
{
    std::vector<HMONITOR> displays;
    const bool enumerated = platform().monitorConfiguration->enumDisplayMonitors(displays);
    for (HMONITOR display : displays)
        addPhysicalMonitorsOf(display);
    return enumerated;
}

void WinDdcCiMonitorsManager::addPhysicalMonitorsOf(HMONITOR display)
{
    const std::shared_ptr<WinMonitorConfigurationApi>& api = platform().monitorConfiguration;
    DWORD count = 0;
    if (!api->getNumberOfPhysicalMonitors(display, count) || count == 0)
        return;
    PhysicalMonitorRecords records(*api, count);
    if (!records.load(display))
        return;
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!api->getMonitorInfo(display, info))
        return;
    DisplayMatcher matcher(*snapshot(), kelFixedText(info.szDevice));
    for (size_t index = 0; index < records.size(); ++index) {
        DeviceMatch match = matcher.match(records.description(index));
        if (!match.monitor)
            continue;
        auto control = std::make_shared<WinDdcCiMonitorControl>(api, records.handle(index));
        records.handOver(index);
        add(std::move(match.adapter), std::move(match.monitor), std::move(control));
    }
}
