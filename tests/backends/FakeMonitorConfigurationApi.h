#pragma once

#include "backends/WinMonitorConfigurationApi.h"

#include <array>
#include <cstdint>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

// Display monitors and the physical monitors behind them, answering the
// monitor configuration calls in-process. Like the platform, every
// GetPhysicalMonitorsFromHMONITOR hands out new handles; a call on a handle
// never handed out or already destroyed fails and counts as a misuse.
class FakeMonitorConfigurationApi : public WinMonitorConfigurationApi {
public:
    struct Level {
        DWORD minimum = 0;
        DWORD current = 50;
        DWORD maximum = 100;
        bool getFails = false;
        bool setFails = false;
        int writes = 0; // set calls that reached the monitor, taken or not
    };

    struct PhysicalMonitor {
        std::wstring description = L"Generic Non-PnP Monitor";
        bool answers = true; // false: every command on its handles fails
        bool capabilitiesFail = false;
        DWORD capabilities = MC_CAPS_BRIGHTNESS | MC_CAPS_CONTRAST | MC_CAPS_COLOR_TEMPERATURE |
                             MC_CAPS_RED_GREEN_BLUE_GAIN | MC_CAPS_RED_GREEN_BLUE_DRIVE;
        DWORD colorTemperatures = MC_SUPPORTED_COLOR_TEMPERATURE_6500K | MC_SUPPORTED_COLOR_TEMPERATURE_9300K;
        Level brightness;
        Level contrast;
        std::array<Level, 3> gains;
        std::array<Level, 3> drives;
        MC_COLOR_TEMPERATURE colorTemperature = MC_COLOR_TEMPERATURE_6500K;
        bool colorTemperatureGetFails = false;
        bool colorTemperatureSetFails = false;
        int colorTemperatureWrites = 0;
        int commands = 0; // every call made on its handles
    };

    struct Display {
        std::wstring deviceName;
        std::vector<PhysicalMonitor> monitors;
        bool countFails = false;
        bool recordsFail = false;
        bool infoFails = false;
    };

    std::vector<Display> displays;
    bool enumerationFails = false;
    int destroyCalls = 0;
    int misuses = 0;

    Display& addDisplay(std::wstring deviceName)
    {
        displays.push_back(Display{std::move(deviceName), {}});
        return displays.back();
    }

    PhysicalMonitor& monitor(size_t display, size_t index) { return displays.at(display).monitors.at(index); }

    // A new handle to one physical monitor, as the platform would hand it out.
    HANDLE open(size_t display, size_t index)
    {
        const HANDLE handle = reinterpret_cast<HANDLE>(nextHandle++);
        handles[handle] = HandleEntry{display, index, true};
        return handle;
    }

    size_t liveHandles() const
    {
        size_t live = 0;
        for (const auto& entry : handles)
            live += entry.second.live ? 1 : 0;
        return live;
    }

    bool enumDisplayMonitors(std::vector<HMONITOR>& result) override
    {
        if (enumerationFails)
            return false;
        for (size_t index = 0; index < displays.size(); ++index)
            result.push_back(reinterpret_cast<HMONITOR>(displayHandleBase + index));
        return true;
    }

    bool getNumberOfPhysicalMonitors(HMONITOR handle, DWORD& count) override
    {
        const Display* display = find(handle);
        if (display == nullptr || display->countFails)
            return false;
        count = static_cast<DWORD>(display->monitors.size());
        return true;
    }

    bool getPhysicalMonitors(HMONITOR handle, DWORD count, PHYSICAL_MONITOR* records) override
    {
        const Display* display = find(handle);
        if (display == nullptr || display->recordsFail || count != display->monitors.size())
            return false;
        const size_t displayIndex = static_cast<size_t>(display - displays.data());
        for (DWORD index = 0; index < count; ++index) {
            records[index].hPhysicalMonitor = open(displayIndex, index);
            wcsncpy(records[index].szPhysicalMonitorDescription, display->monitors[index].description.c_str(),
                    PHYSICAL_MONITOR_DESCRIPTION_SIZE - 1);
        }
        return true;
    }

    bool getMonitorInfo(HMONITOR handle, MONITORINFOEXW& info) override
    {
        const Display* display = find(handle);
        if (display == nullptr || display->infoFails)
            return false;
        // As the platform does, the device name is filled only for the extended record.
        if (info.cbSize == sizeof(MONITORINFOEXW))
            wcsncpy(info.szDevice, display->deviceName.c_str(), CCHDEVICENAME - 1);
        return true;
    }

    bool getMonitorCapabilities(HANDLE handle, DWORD& capabilities, DWORD& supportedColorTemperatures) override
    {
        PhysicalMonitor* monitor = answering(handle);
        if (monitor == nullptr || monitor->capabilitiesFail)
            return false;
        capabilities = monitor->capabilities;
        supportedColorTemperatures = monitor->colorTemperatures;
        return true;
    }

    bool getMonitorBrightness(HANDLE handle, DWORD& minimum, DWORD& current, DWORD& maximum) override
    {
        return read(handle, &PhysicalMonitor::brightness, minimum, current, maximum);
    }
    bool setMonitorBrightness(HANDLE handle, DWORD value) override
    {
        return write(handle, &PhysicalMonitor::brightness, value);
    }
    bool getMonitorContrast(HANDLE handle, DWORD& minimum, DWORD& current, DWORD& maximum) override
    {
        return read(handle, &PhysicalMonitor::contrast, minimum, current, maximum);
    }
    bool setMonitorContrast(HANDLE handle, DWORD value) override
    {
        return write(handle, &PhysicalMonitor::contrast, value);
    }
    bool getMonitorRedGreenOrBlueGain(HANDLE handle, MC_GAIN_TYPE channel, DWORD& minimum, DWORD& current,
                                      DWORD& maximum) override
    {
        return read(handle, &PhysicalMonitor::gains, channel, minimum, current, maximum);
    }
    bool setMonitorRedGreenOrBlueGain(HANDLE handle, MC_GAIN_TYPE channel, DWORD value) override
    {
        return write(handle, &PhysicalMonitor::gains, channel, value);
    }
    bool getMonitorRedGreenOrBlueDrive(HANDLE handle, MC_DRIVE_TYPE channel, DWORD& minimum, DWORD& current,
                                       DWORD& maximum) override
    {
        return read(handle, &PhysicalMonitor::drives, channel, minimum, current, maximum);
    }
    bool setMonitorRedGreenOrBlueDrive(HANDLE handle, MC_DRIVE_TYPE channel, DWORD value) override
    {
        return write(handle, &PhysicalMonitor::drives, channel, value);
    }

    bool getMonitorColorTemperature(HANDLE handle, MC_COLOR_TEMPERATURE& colorTemperature) override
    {
        PhysicalMonitor* monitor = answering(handle);
        if (monitor == nullptr || monitor->colorTemperatureGetFails)
            return false;
        colorTemperature = monitor->colorTemperature;
        return true;
    }

    bool setMonitorColorTemperature(HANDLE handle, MC_COLOR_TEMPERATURE colorTemperature) override
    {
        PhysicalMonitor* monitor = answering(handle);
        if (monitor == nullptr)
            return false;
        ++monitor->colorTemperatureWrites;
        if (monitor->colorTemperatureSetFails)
            return false;
        monitor->colorTemperature = colorTemperature;
        return true;
    }

    bool destroyPhysicalMonitor(HANDLE handle) override
    {
        ++destroyCalls;
        if (live(handle) == nullptr)
            return false;
        handles[handle].live = false;
        return true;
    }

private:
    struct HandleEntry {
        size_t display;
        size_t monitor;
        bool live;
    };
    using LevelField = Level PhysicalMonitor::*;
    using ChannelsField = std::array<Level, 3> PhysicalMonitor::*;

    static constexpr std::uintptr_t displayHandleBase = 0x1000;

    Display* find(HMONITOR handle)
    {
        const auto index = reinterpret_cast<std::uintptr_t>(handle) - displayHandleBase;
        return index < displays.size() ? &displays[index] : nullptr;
    }

    PhysicalMonitor* live(HANDLE handle)
    {
        const auto found = handles.find(handle);
        if (found == handles.end() || !found->second.live) {
            ++misuses;
            return nullptr;
        }
        return &monitor(found->second.display, found->second.monitor);
    }

    // The monitor behind a live handle, or null when it does not answer.
    PhysicalMonitor* answering(HANDLE handle)
    {
        PhysicalMonitor* monitor = live(handle);
        if (monitor == nullptr)
            return nullptr;
        ++monitor->commands;
        return monitor->answers ? monitor : nullptr;
    }

    static bool readLevel(const Level& level, DWORD& minimum, DWORD& current, DWORD& maximum)
    {
        if (level.getFails)
            return false;
        minimum = level.minimum;
        current = level.current;
        maximum = level.maximum;
        return true;
    }

    static bool writeLevel(Level& level, DWORD value)
    {
        ++level.writes;
        if (level.setFails)
            return false;
        level.current = value;
        return true;
    }

    static bool isChannel(int channel) { return channel >= 0 && channel < 3; }

    bool read(HANDLE handle, LevelField field, DWORD& minimum, DWORD& current, DWORD& maximum)
    {
        PhysicalMonitor* monitor = answering(handle);
        return monitor != nullptr && readLevel(monitor->*field, minimum, current, maximum);
    }

    bool write(HANDLE handle, LevelField field, DWORD value)
    {
        PhysicalMonitor* monitor = answering(handle);
        return monitor != nullptr && writeLevel(monitor->*field, value);
    }

    bool read(HANDLE handle, ChannelsField field, int channel, DWORD& minimum, DWORD& current, DWORD& maximum)
    {
        PhysicalMonitor* monitor = answering(handle);
        return monitor != nullptr && isChannel(channel) &&
               readLevel((monitor->*field)[static_cast<size_t>(channel)], minimum, current, maximum);
    }

    bool write(HANDLE handle, ChannelsField field, int channel, DWORD value)
    {
        PhysicalMonitor* monitor = answering(handle);
        return monitor != nullptr && isChannel(channel) &&
               writeLevel((monitor->*field)[static_cast<size_t>(channel)], value);
    }

    std::map<HANDLE, HandleEntry> handles;
    std::uintptr_t nextHandle = 0x100;
};
