#include "monitor/DisplayDeviceInfo.h"

std::wstring platformDisplayName(const DisplayDeviceInfo& device)
{
    const auto* wrapper = dynamic_cast<const WrapsDisplayDevice*>(&device);
    if (wrapper == nullptr)
        return device.displayName();
    const auto inner = wrapper->wrappedDevice();
    return inner ? platformDisplayName(*inner) : device.displayName();
}
