#include "monitor/StaticDisplayDeviceInfo.h"

#include "monitor/DisplayDeviceInfo.h"
#include "persistence/kelSerializationIoStream.h"

#include <type_traits>

StaticDisplayDeviceInfo::StaticDisplayDeviceInfo(std::uint32_t id, const DisplayDeviceInfo& device)
    : id(id), displayName(device.displayName()), instanceName(device.instanceName()),
      manufacturerName(device.manufacturerName()), productCode(device.productCode()),
      serialNumber(device.serialNumber())
{
}

bool StaticDisplayDeviceInfo::serialize(kelSerializationIoStream& io, unsigned)
{
    static_assert(std::is_same_v<std::uint32_t, unsigned>, "ids travel as unsigned values");
    return io.serializeValue(L"displayName", displayName, true) &&
           io.serializeValue(L"instanceName", instanceName, true) && io.serializeValue(L"id", id, true) &&
           io.serializeValue(L"manufacturerName", manufacturerName, true) &&
           io.serializeValue(L"productCode", productCode, true) &&
           io.serializeValue(L"serialNumber", serialNumber, true);
}
