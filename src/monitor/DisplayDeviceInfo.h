#pragma once

#include <memory>
#include <string>
#include <vector>

// One display adapter (a video output) or one monitor attached to it, as the
// platform lists it or as the program shows it. Devices are immutable.
class DisplayDeviceInfo {
public:
    // For an adapter: attached to the desktop; for a monitor: active.
    virtual int isActive() const = 0;
    virtual std::wstring deviceName() const = 0;
    // The text shown for the device.
    virtual std::wstring displayName() const = 0;
    // The device's identity string.
    virtual std::wstring instanceName() const = 0;
    virtual std::wstring manufacturerName() const = 0;
    virtual std::wstring productCode() const = 0;
    virtual std::wstring serialNumber() const = 0;
    virtual ~DisplayDeviceInfo() = default;
};

using DisplayDeviceList = std::vector<std::shared_ptr<DisplayDeviceInfo>>;

// A device shown under other names that keeps the platform's own record of
// it, so callers can still reach the platform's plain names.
class WrapsDisplayDevice {
public:
    virtual std::shared_ptr<DisplayDeviceInfo> wrappedDevice() const = 0;
    virtual ~WrapsDisplayDevice() = default;
};

// The platform's own name for a device: that of the record a wrapper keeps,
// or the device's own when it wraps nothing.
std::wstring platformDisplayName(const DisplayDeviceInfo& device);

// One snapshot of the adapters attached to the desktop and their monitors,
// in platform order.
class DisplayDevicesInfo {
public:
    virtual DisplayDeviceList adapters() const = 0;
    virtual DisplayDeviceList allMonitors() const = 0;
    // adapter must be one of this snapshot's adapters.
    virtual DisplayDeviceList monitorsOf(const std::shared_ptr<DisplayDeviceInfo>& adapter) const = 0;
    virtual ~DisplayDevicesInfo() = default;
};
