#pragma once

#include "backends/WinGammaRampApi.h"

// The gamma calls over GDI.
class WinGdiGammaRampApi : public WinGammaRampApi {
public:
    HDC createDisplayDC(const wchar_t* deviceName) override;
    bool getDeviceGammaRamp(HDC dc, GammaRamp& ramp) override;
    int getDeviceCaps(HDC dc, int index) override;
    bool setDeviceGammaRamp(HDC dc, const GammaRamp& ramp) override;
    void deleteDC(HDC dc) override;
};
