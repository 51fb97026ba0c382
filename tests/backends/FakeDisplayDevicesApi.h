#pragma once

#include "backends/WinDisplayDevicesApi.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

// A display-device table answering EnumDisplayDevicesW the way the platform
// does: adapters by index without a device name, an adapter's monitors by
// index under its name, the interface path in DeviceID with the
// interface-name flag and the plain device id without it.
class FakeDisplayDevicesApi : public WinDisplayDevicesApi {
public:
    struct Monitor {
        std::wstring deviceName;
        std::wstring description;
        std::wstring deviceId;
        std::wstring interfacePath;
        DWORD stateFlags = DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED;
    };
    struct Adapter {
        std::wstring deviceName;
        std::wstring description;
        std::wstring deviceId;
        DWORD stateFlags = DISPLAY_DEVICE_ATTACHED_TO_DESKTOP;
        std::vector<Monitor> monitors;
    };

    std::vector<Adapter> adapters;
    int calls = 0;

    Adapter& addAdapter(std::wstring deviceName, std::wstring description = L"Fake Display Adapter")
    {
        adapters.push_back(Adapter{std::move(deviceName), std::move(description), L"PCI\\VEN_FAKE&DEV_0001",
                                   DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, {}});
        return adapters.back();
    }

    bool enumDisplayDevices(const wchar_t* device, DWORD index, DISPLAY_DEVICEW& record, DWORD flags) override
    {
        ++calls;
        if (device == nullptr) {
            if (index >= adapters.size())
                return false;
            const Adapter& adapter = adapters[index];
            fill(record, adapter.deviceName, adapter.description, adapter.deviceId, adapter.stateFlags);
            return true;
        }
        const auto owner = std::find_if(adapters.begin(), adapters.end(),
                                        [&](const Adapter& adapter) { return adapter.deviceName == device; });
        if (owner == adapters.end() || index >= owner->monitors.size())
            return false;
        const Monitor& monitor = owner->monitors[index];
        const std::wstring& id = (flags & EDD_GET_DEVICE_INTERFACE_NAME) != 0 ? monitor.interfacePath : monitor.deviceId;
        fill(record, monitor.deviceName, monitor.description, id, monitor.stateFlags);
        return true;
    }

private:
    template <size_t N>
    static void copy(WCHAR (&field)[N], const std::wstring& text)
    {
        wcsncpy(field, text.c_str(), N - 1);
    }

    static void fill(DISPLAY_DEVICEW& record, const std::wstring& name, const std::wstring& description,
                     const std::wstring& id, DWORD stateFlags)
    {
        copy(record.DeviceName, name);
        copy(record.DeviceString, description);
        copy(record.DeviceID, id);
        record.StateFlags = stateFlags;
    }
};
