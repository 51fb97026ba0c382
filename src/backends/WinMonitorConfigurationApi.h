#pragma once

#include <windows.h>

#include <highlevelmonitorconfigurationapi.h>
#include <physicalmonitorenumerationapi.h>

#include <vector>

// The monitor configuration calls the DDC/CI back-end makes: the display
// monitors, their physical monitors and the high-level DDC/CI commands. Each
// call keeps the shape of its Win32 function; true means the call succeeded.
class WinMonitorConfigurationApi {
public:
    // EnumDisplayMonitors over the whole desktop: the handles in the order the platform gives them.
    virtual bool enumDisplayMonitors(std::vector<HMONITOR>& displays) = 0;
    virtual bool getNumberOfPhysicalMonitors(HMONITOR display, DWORD& count) = 0;
    // records holds count entries.
    virtual bool getPhysicalMonitors(HMONITOR display, DWORD count, PHYSICAL_MONITOR* records) = 0;
    // info must have its size field set.
    virtual bool getMonitorInfo(HMONITOR display, MONITORINFOEXW& info) = 0;

    virtual bool getMonitorCapabilities(HANDLE monitor, DWORD& capabilities, DWORD& supportedColorTemperatures) = 0;
    virtual bool getMonitorBrightness(HANDLE monitor, DWORD& minimum, DWORD& current, DWORD& maximum) = 0;
    virtual bool setMonitorBrightness(HANDLE monitor, DWORD value) = 0;
    virtual bool getMonitorContrast(HANDLE monitor, DWORD& minimum, DWORD& current, DWORD& maximum) = 0;
    virtual bool setMonitorContrast(HANDLE monitor, DWORD value) = 0;
    virtual bool getMonitorRedGreenOrBlueGain(HANDLE monitor, MC_GAIN_TYPE channel, DWORD& minimum, DWORD& current,
                                              DWORD& maximum) = 0;
    virtual bool setMonitorRedGreenOrBlueGain(HANDLE monitor, MC_GAIN_TYPE channel, DWORD value) = 0;
    virtual bool getMonitorRedGreenOrBlueDrive(HANDLE monitor, MC_DRIVE_TYPE channel, DWORD& minimum, DWORD& current,
                                               DWORD& maximum) = 0;
    virtual bool setMonitorRedGreenOrBlueDrive(HANDLE monitor, MC_DRIVE_TYPE channel, DWORD value) = 0;
    virtual bool getMonitorColorTemperature(HANDLE monitor, MC_COLOR_TEMPERATURE& colorTemperature) = 0;
    virtual bool setMonitorColorTemperature(HANDLE monitor, MC_COLOR_TEMPERATURE colorTemperature) = 0;
    virtual bool destroyPhysicalMonitor(HANDLE monitor) = 0;

    virtual ~WinMonitorConfigurationApi() = default;
};
