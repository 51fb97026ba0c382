#include "backends/WinDisplayDevicesInfo.h"

#include "backends/WinDisplayDeviceInfo.h"
#include "backends/WinDisplayDevicesApi.h"
#include "support/kelFixedText.h"

#include <stdexcept>

namespace {

constexpr DWORD attachedOrActive = 0x1;

// A record ready for one call: sized, everything else zeroed.
DISPLAY_DEVICEW freshRecord()
{
    DISPLAY_DEVICEW record{};
    record.cb = sizeof(record);
    return record;
}

int flagOf(const DISPLAY_DEVICEW& record)
{
    return (record.StateFlags & attachedOrActive) != 0 ? 1 : 0;
}

} // namespace

WinDisplayDevicesInfo::WinDisplayDevicesInfo(WinDisplayDevicesApi& api)
{
    for (DWORD index = 0;; ++index) {
        DISPLAY_DEVICEW record = freshRecord();
        if (!api.enumDisplayDevices(nullptr, index, record, 0))
            break;
        if ((record.StateFlags & attachedOrActive) == 0)
            continue;
        auto adapter = std::make_shared<WinDisplayDeviceInfo>(
            WinDisplayDeviceInfo::Fields{flagOf(record), kelFixedText(record.DeviceName), kelFixedText(record.DeviceString),
                                         kelFixedText(record.DeviceID), {}});
        addAdapter(api, kelFixedText(record.DeviceName), std::move(adapter));
    }
}

void WinDisplayDevicesInfo::addAdapter(WinDisplayDevicesApi& api, const std::wstring& adapterName,
                                       std::shared_ptr<DisplayDeviceInfo> adapter)
{
    adapterList.push_back(adapter);
    DisplayDeviceList& monitors = monitorsByAdapter[adapter.get()];
    // Each monitor is read twice: once for its interface path, once for its
    // plain device id.
    DISPLAY_DEVICEW withPath = freshRecord();
    if (!api.enumDisplayDevices(adapterName.c_str(), 0, withPath, EDD_GET_DEVICE_INTERFACE_NAME))
        return;
    for (DWORD index = 0;; ++index) {
        DISPLAY_DEVICEW plain = freshRecord();
        if (!api.enumDisplayDevices(adapterName.c_str(), index, plain, 0))
            return;
        if (withPath.DeviceString[0] != L'\0') {
            auto monitor = std::make_shared<WinDisplayDeviceInfo>(WinDisplayDeviceInfo::Fields{
                flagOf(withPath), kelFixedText(withPath.DeviceName), kelFixedText(withPath.DeviceString), kelFixedText(plain.DeviceID),
                kelFixedText(withPath.DeviceID)});
            monitorList.push_back(monitor);
            monitors.push_back(std::move(monitor));
        }
        withPath = freshRecord();
        if (!api.enumDisplayDevices(adapterName.c_str(), index + 1, withPath, EDD_GET_DEVICE_INTERFACE_NAME))
            return;
    }
}

DisplayDeviceList WinDisplayDevicesInfo::monitorsOf(const std::shared_ptr<DisplayDeviceInfo>& adapter) const
{
    const auto found = monitorsByAdapter.find(adapter.get());
    if (found == monitorsByAdapter.end())
        throw std::logic_error("monitorsOf: the adapter is not of this snapshot");
    return found->second;
}
