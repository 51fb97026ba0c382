// The monitor configuration functions of dxva2.dll, answered by the
// simulated monitors. The declarations come from mingw-w64's headers, so a
// signature that drifts from the platform's fails to compile.
#include "SimMonitorBank.h"

namespace {

SimMonitorBank& bank()
{
    return SimMonitorBank::instance();
}

bool isChannel(int channel)
{
    return channel >= 0 && channel <= 2;
}

BOOL invalidParameter()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

} // namespace

BOOL WINAPI GetNumberOfPhysicalMonitorsFromHMONITOR(HMONITOR hMonitor, LPDWORD pdwNumberOfPhysicalMonitors)
{
    return bank().countPhysicalMonitors(hMonitor, pdwNumberOfPhysicalMonitors);
}

BOOL WINAPI GetPhysicalMonitorsFromHMONITOR(HMONITOR hMonitor, DWORD dwPhysicalMonitorArraySize,
                                            LPPHYSICAL_MONITOR pPhysicalMonitorArray)
{
    return bank().physicalMonitors(hMonitor, dwPhysicalMonitorArraySize, pPhysicalMonitorArray);
}

BOOL WINAPI DestroyPhysicalMonitor(HANDLE hMonitor)
{
    return bank().destroy(hMonitor);
}

// Releases every handle it can, and reports whether all of them were valid.
BOOL WINAPI DestroyPhysicalMonitors(DWORD dwPhysicalMonitorArraySize, LPPHYSICAL_MONITOR pPhysicalMonitorArray)
{
    if (!pPhysicalMonitorArray && dwPhysicalMonitorArraySize != 0)
        return invalidParameter();
    BOOL allDestroyed = TRUE;
    for (DWORD index = 0; index < dwPhysicalMonitorArraySize; ++index) {
        if (!bank().destroy(pPhysicalMonitorArray[index].hPhysicalMonitor))
            allDestroyed = FALSE;
    }
    if (!allDestroyed)
        SetLastError(ERROR_INVALID_HANDLE);
    return allDestroyed;
}

BOOL WINAPI GetMonitorCapabilities(HANDLE hMonitor, LPDWORD pdwMonitorCapabilities,
                                   LPDWORD pdwSupportedColorTemperatures)
{
    return bank().capabilities(hMonitor, pdwMonitorCapabilities, pdwSupportedColorTemperatures);
}

BOOL WINAPI GetMonitorBrightness(HANDLE hMonitor, LPDWORD pdwMinimumBrightness, LPDWORD pdwCurrentBrightness,
                                 LPDWORD pdwMaximumBrightness)
{
    return bank().readRange(hMonitor, SimRangedValue::Brightness, pdwMinimumBrightness, pdwCurrentBrightness,
                            pdwMaximumBrightness);
}

BOOL WINAPI SetMonitorBrightness(HANDLE hMonitor, DWORD dwNewBrightness)
{
    return bank().writeRange(hMonitor, SimRangedValue::Brightness, dwNewBrightness);
}

BOOL WINAPI GetMonitorContrast(HANDLE hMonitor, LPDWORD pdwMinimumContrast, LPDWORD pdwCurrentContrast,
                               LPDWORD pdwMaximumContrast)
{
    return bank().readRange(hMonitor, SimRangedValue::Contrast, pdwMinimumContrast, pdwCurrentContrast,
                            pdwMaximumContrast);
}

BOOL WINAPI SetMonitorContrast(HANDLE hMonitor, DWORD dwNewContrast)
{
    return bank().writeRange(hMonitor, SimRangedValue::Contrast, dwNewContrast);
}

BOOL WINAPI GetMonitorRedGreenOrBlueGain(HANDLE hMonitor, MC_GAIN_TYPE gtGainType, LPDWORD pdwMinimumGain,
                                         LPDWORD pdwCurrentGain, LPDWORD pdwMaximumGain)
{
    if (!isChannel(gtGainType))
        return invalidParameter();
    return bank().readRange(hMonitor, simGainValue(gtGainType), pdwMinimumGain, pdwCurrentGain, pdwMaximumGain);
}

BOOL WINAPI SetMonitorRedGreenOrBlueGain(HANDLE hMonitor, MC_GAIN_TYPE gtGainType, DWORD dwNewGain)
{
    if (!isChannel(gtGainType))
        return invalidParameter();
    return bank().writeRange(hMonitor, simGainValue(gtGainType), dwNewGain);
}

BOOL WINAPI GetMonitorRedGreenOrBlueDrive(HANDLE hMonitor, MC_DRIVE_TYPE dtDriveType, LPDWORD pdwMinimumDrive,
                                          LPDWORD pdwCurrentDrive, LPDWORD pdwMaximumDrive)
{
    if (!isChannel(dtDriveType))
        return invalidParameter();
    return bank().readRange(hMonitor, simDriveValue(dtDriveType), pdwMinimumDrive, pdwCurrentDrive,
                            pdwMaximumDrive);
}

BOOL WINAPI SetMonitorRedGreenOrBlueDrive(HANDLE hMonitor, MC_DRIVE_TYPE dtDriveType, DWORD dwNewDrive)
{
    if (!isChannel(dtDriveType))
        return invalidParameter();
    return bank().writeRange(hMonitor, simDriveValue(dtDriveType), dwNewDrive);
}

BOOL WINAPI GetMonitorColorTemperature(HANDLE hMonitor, LPMC_COLOR_TEMPERATURE pctCurrentColorTemperature)
{
    return bank().readColorTemperature(hMonitor, pctCurrentColorTemperature);
}

BOOL WINAPI SetMonitorColorTemperature(HANDLE hMonitor, MC_COLOR_TEMPERATURE ctCurrentColorTemperature)
{
    return bank().writeColorTemperature(hMonitor, ctCurrentColorTemperature);
}

BOOL WINAPI GetMonitorTechnologyType(HANDLE hMonitor, LPMC_DISPLAY_TECHNOLOGY_TYPE pdtyDisplayTechnologyType)
{
    return bank().technologyType(hMonitor, pdtyDisplayTechnologyType);
}

BOOL WINAPI SaveCurrentMonitorSettings(HANDLE hMonitor)
{
    return bank().saveSettings(hMonitor);
}

BOOL WINAPI RestoreMonitorFactoryDefaults(HANDLE hMonitor)
{
    return bank().restoreFactoryDefaults(hMonitor);
}

BOOL WINAPI RestoreMonitorFactoryColorDefaults(HANDLE hMonitor)
{
    return bank().restoreFactoryColorDefaults(hMonitor);
}

BOOL WINAPI DegaussMonitor(HANDLE hMonitor)
{
    return bank().refuseTubeCommand(hMonitor);
}

BOOL WINAPI GetMonitorDisplayAreaSize(HANDLE hMonitor, MC_SIZE_TYPE stSizeType, LPDWORD pdwMinimumWidthOrHeight,
                                      LPDWORD pdwCurrentWidthOrHeight, LPDWORD pdwMaximumWidthOrHeight)
{
    return bank().refuseTubeCommand(hMonitor);
}

BOOL WINAPI SetMonitorDisplayAreaSize(HANDLE hMonitor, MC_SIZE_TYPE stSizeType, DWORD dwNewDisplayAreaWidthOrHeight)
{
    return bank().refuseTubeCommand(hMonitor);
}

BOOL WINAPI GetMonitorDisplayAreaPosition(HANDLE hMonitor, MC_POSITION_TYPE ptPositionType,
                                          LPDWORD pdwMinimumPosition, LPDWORD pdwCurrentPosition,
                                          LPDWORD pdwMaximumPosition)
{
    return bank().refuseTubeCommand(hMonitor);
}

BOOL WINAPI SetMonitorDisplayAreaPosition(HANDLE hMonitor, MC_POSITION_TYPE ptPositionType, DWORD dwNewPosition)
{
    return bank().refuseTubeCommand(hMonitor);
}
