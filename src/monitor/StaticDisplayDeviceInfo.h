#pragma once

#include "persistence/kelSerializable.h"

#include <cstdint>
#include <string>

class DisplayDeviceInfo;

// One monitor the program has listed: its id and the names it had when it was
// first seen. The names are never updated, so a monitor found again by its
// identity keeps showing the name it was first stored under.
class StaticDisplayDeviceInfo : public kelSerializable {
public:
    StaticDisplayDeviceInfo() = default;
    StaticDisplayDeviceInfo(std::uint32_t id, const DisplayDeviceInfo& device);

    // Fails at the first value that cannot be read or written.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    std::uint32_t id = 0;
    std::wstring displayName;
    std::wstring instanceName;
    std::wstring manufacturerName;
    std::wstring productCode;
    std::wstring serialNumber;
};
