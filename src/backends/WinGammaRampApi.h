#pragma once

#include "backends/GammaRampFormulas.h"

#include <windows.h>

#include <memory>
#include <type_traits>

// The device-context gamma calls of the gamma-ramp back-end.
class WinGammaRampApi {
public:
    // CreateDCW for the display driver: the display called deviceName, the
    // whole desktop when it is null. Null when there is no such display.
    virtual HDC createDisplayDC(const wchar_t* deviceName) = 0;
    virtual bool getDeviceGammaRamp(HDC dc, GammaRamp& ramp) = 0;
    virtual int getDeviceCaps(HDC dc, int index) = 0;
    virtual bool setDeviceGammaRamp(HDC dc, const GammaRamp& ramp) = 0;
    virtual void deleteDC(HDC dc) = 0;
    virtual ~WinGammaRampApi() = default;
};

// Deletes a device context through the calls that made it.
struct WinGammaRampDCDeleter {
    std::shared_ptr<WinGammaRampApi> api;
    void operator()(HDC dc) const { api->deleteDC(dc); }
};

// Owner of one display device context.
using WinGammaRampDC = std::unique_ptr<std::remove_pointer_t<HDC>, WinGammaRampDCDeleter>;
