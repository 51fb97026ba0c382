#include "backends/WinGdiGammaRampApi.h"

HDC WinGdiGammaRampApi::createDisplayDC(const wchar_t* deviceName)
{
    return CreateDCW(L"DISPLAY", deviceName, nullptr, nullptr);
}

bool WinGdiGammaRampApi::getDeviceGammaRamp(HDC dc, GammaRamp& ramp)
{
    return GetDeviceGammaRamp(dc, ramp.data()) != FALSE;
}

int WinGdiGammaRampApi::getDeviceCaps(HDC dc, int index)
{
    return GetDeviceCaps(dc, index);
}

bool WinGdiGammaRampApi::setDeviceGammaRamp(HDC dc, const GammaRamp& ramp)
{
    // The platform takes the ramp through a non-const pointer but only reads it.
    return SetDeviceGammaRamp(dc, const_cast<std::uint16_t*>(ramp.data())) != FALSE;
}

void WinGdiGammaRampApi::deleteDC(HDC dc)
{
    DeleteDC(dc);
}
