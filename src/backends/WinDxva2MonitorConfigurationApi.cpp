#include "backends/WinDxva2MonitorConfigurationApi.h"

namespace {

BOOL CALLBACK collectDisplay(HMONITOR display, HDC, LPRECT, LPARAM displays)
{
    reinterpret_cast<std::vector<HMONITOR>*>(displays)->push_back(display);
    return TRUE;
}

} // namespace

bool WinDxva2MonitorConfigurationApi::enumDisplayMonitors(std::vector<HMONITOR>& displays)
{
    return EnumDisplayMonitors(nullptr, nullptr, collectDisplay, reinterpret_cast<LPARAM>(&displays)) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::getNumberOfPhysicalMonitors(HMONITOR display, DWORD& count)
{
    return GetNumberOfPhysicalMonitorsFromHMONITOR(display, &count) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::getPhysicalMonitors(HMONITOR display, DWORD count, PHYSICAL_MONITOR* records)
{
    return GetPhysicalMonitorsFromHMONITOR(display, count, records) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::getMonitorInfo(HMONITOR display, MONITORINFOEXW& info)
{
    return GetMonitorInfoW(display, &info) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::getMonitorCapabilities(HANDLE monitor, DWORD& capabilities,
                                                             DWORD& supportedColorTemperatures)
{
    return GetMonitorCapabilities(monitor, &capabilities, &supportedColorTemperatures) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::getMonitorBrightness(HANDLE monitor, DWORD& minimum, DWORD& current,
                                                           DWORD& maximum)
{
    return GetMonitorBrightness(monitor, &minimum, &current, &maximum) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::setMonitorBrightness(HANDLE monitor, DWORD value)
{
    return SetMonitorBrightness(monitor, value) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::getMonitorContrast(HANDLE monitor, DWORD& minimum, DWORD& current, DWORD& maximum)
{
    return GetMonitorContrast(monitor, &minimum, &current, &maximum) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::setMonitorContrast(HANDLE monitor, DWORD value)
{
    return SetMonitorContrast(monitor, value) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::getMonitorRedGreenOrBlueGain(HANDLE monitor, MC_GAIN_TYPE channel, DWORD& minimum,
                                                                   DWORD& current, DWORD& maximum)
{
    return GetMonitorRedGreenOrBlueGain(monitor, channel, &minimum, &current, &maximum) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::setMonitorRedGreenOrBlueGain(HANDLE monitor, MC_GAIN_TYPE channel, DWORD value)
{
    return SetMonitorRedGreenOrBlueGain(monitor, channel, value) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::getMonitorRedGreenOrBlueDrive(HANDLE monitor, MC_DRIVE_TYPE channel,
                                                                    DWORD& minimum, DWORD& current, DWORD& maximum)
{
    return GetMonitorRedGreenOrBlueDrive(monitor, channel, &minimum, &current, &maximum) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::setMonitorRedGreenOrBlueDrive(HANDLE monitor, MC_DRIVE_TYPE channel, DWORD value)
{
    return SetMonitorRedGreenOrBlueDrive(monitor, channel, value) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::getMonitorColorTemperature(HANDLE monitor, MC_COLOR_TEMPERATURE& colorTemperature)
{
    return GetMonitorColorTemperature(monitor, &colorTemperature) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::setMonitorColorTemperature(HANDLE monitor, MC_COLOR_TEMPERATURE colorTemperature)
{
    return SetMonitorColorTemperature(monitor, colorTemperature) != FALSE;
}

bool WinDxva2MonitorConfigurationApi::destroyPhysicalMonitor(HANDLE monitor)
{
    return DestroyPhysicalMonitor(monitor) != FALSE;
}
