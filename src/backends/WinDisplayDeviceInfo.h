#pragma once

#include "monitor/DisplayDeviceInfo.h"

#include <string>

// An adapter or monitor as the platform's display-device enumeration lists it.
class WinDisplayDeviceInfo : public DisplayDeviceInfo {
public:
    struct Fields {
        int flag = 0;
        std::wstring deviceName;
        std::wstring description;
        std::wstring deviceId;
        // The device id listed with the interface-name option; empty for adapters.
        std::wstring interfacePath;
    };

    explicit WinDisplayDeviceInfo(Fields fields) : fields(std::move(fields)) {}

    int isActive() const override { return fields.flag; }
    std::wstring deviceName() const override { return fields.deviceName; }
    std::wstring displayName() const override { return fields.description; }
    std::wstring instanceName() const override
    {
        return fields.interfacePath.empty() ? fields.deviceId : fields.interfacePath;
    }
    std::wstring manufacturerName() const override { return {}; }
    std::wstring productCode() const override { return {}; }
    std::wstring serialNumber() const override { return {}; }

    const std::wstring& interfacePath() const { return fields.interfacePath; }
    const std::wstring& deviceId() const { return fields.deviceId; }

private:
    Fields fields;
};
