#pragma once

#include "backends/WinMonitorConfigurationApi.h"

// The monitor configuration calls over user32 and dxva2, passed straight through.
class WinDxva2MonitorConfigurationApi : public WinMonitorConfigurationApi {
public:
    bool enumDisplayMonitors(std::vector<HMONITOR>& displays) override;
    bool getNumberOfPhysicalMonitors(HMONITOR display, DWORD& count) override;
    bool getPhysicalMonitors(HMONITOR display, DWORD count, PHYSICAL_MONITOR* records) override;
    bool getMonitorInfo(HMONITOR display, MONITORINFOEXW& info) override;

    bool getMonitorCapabilities(HANDLE monitor, DWORD& capabilities, DWORD& supportedColorTemperatures) override;
    bool getMonitorBrightness(HANDLE monitor, DWORD& minimum, DWORD& current, DWORD& maximum) override;
    bool setMonitorBrightness(HANDLE monitor, DWORD value) override;
    bool getMonitorContrast(HANDLE monitor, DWORD& minimum, DWORD& current, DWORD& maximum) override;
    bool setMonitorContrast(HANDLE monitor, DWORD value) override;
    bool getMonitorRedGreenOrBlueGain(HANDLE monitor, MC_GAIN_TYPE channel, DWORD& minimum, DWORD& current,
                                      DWORD& maximum) override;
    bool setMonitorRedGreenOrBlueGain(HANDLE monitor, MC_GAIN_TYPE channel, DWORD value) override;
    bool getMonitorRedGreenOrBlueDrive(HANDLE monitor, MC_DRIVE_TYPE channel, DWORD& minimum, DWORD& current,
                                       DWORD& maximum) override;
    bool setMonitorRedGreenOrBlueDrive(HANDLE monitor, MC_DRIVE_TYPE channel, DWORD value) override;
    bool getMonitorColorTemperature(HANDLE monitor, MC_COLOR_TEMPERATURE& colorTemperature) override;
    bool setMonitorColorTemperature(HANDLE monitor, MC_COLOR_TEMPERATURE colorTemperature) override;
    bool destroyPhysicalMonitor(HANDLE monitor) override;
};
