#pragma once

#include <windows.h>

// The display-device enumeration the snapshot makes: EnumDisplayDevicesW.
// device is null to list adapters, an adapter's name to list its monitors.
class WinDisplayDevicesApi {
public:
    virtual bool enumDisplayDevices(const wchar_t* device, DWORD index, DISPLAY_DEVICEW& record, DWORD flags) = 0;
    virtual ~WinDisplayDevicesApi() = default;
};

class WinUser32DisplayDevicesApi : public WinDisplayDevicesApi {
public:
    bool enumDisplayDevices(const wchar_t* device, DWORD index, DISPLAY_DEVICEW& record, DWORD flags) override
    {
        return EnumDisplayDevicesW(device, index, &record, flags) != FALSE;
    }
};
