#pragma once

#include "monitor/DisplayDeviceInfo.h"

#include <cstdint>
#include <memory>
#include <string>

// A monitor as the program shows it: the merged platform device under the
// name and id its database record gives it. The id text is its identity, the
// key under which profiles and kept states name the monitor.
class VtDisplayDeviceInfo : public DisplayDeviceInfo, public WrapsDisplayDevice {
public:
    VtDisplayDeviceInfo(std::shared_ptr<DisplayDeviceInfo> inner, std::wstring shownName, std::wstring idText);

    // The stored name, " #" and the id, so two identical monitors stay apart.
    static std::wstring shownName(const std::wstring& storedName, std::uint32_t id);
    static std::wstring idText(std::uint32_t id);

    int isActive() const override { return inner->isActive(); }
    std::wstring deviceName() const override { return inner->deviceName(); }
    std::wstring displayName() const override { return shown; }
    std::wstring instanceName() const override { return identity; }
    std::wstring manufacturerName() const override { return inner->manufacturerName(); }
    std::wstring productCode() const override { return inner->productCode(); }
    std::wstring serialNumber() const override { return inner->serialNumber(); }
    std::shared_ptr<DisplayDeviceInfo> wrappedDevice() const override { return inner; }

private:
    std::shared_ptr<DisplayDeviceInfo> inner;
    std::wstring shown;
    std::wstring identity;
};
