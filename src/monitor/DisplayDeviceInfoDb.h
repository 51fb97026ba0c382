#pragma once

#include "monitor/DisplayDeviceInfo.h"
#include "monitor/StaticDisplayDeviceInfo.h"
#include "persistence/kelSerializable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

// Every monitor the program has ever listed, under ids that stay the same
// from run to run. Records are only ever added and an id is never given to
// two monitors, so a monitor that comes back after months finds its id,
// profiles and states. New ids count on above the largest one taken; once the
// next would be the largest 32-bit value, the lowest id never taken is used.
// The lock is held by every access because the autosave thread writes the
// database while a refresh on the monitor worker may be adding to it.
class DisplayDeviceInfoDb : public kelSerializableTs {
public:
    using Record = std::shared_ptr<StaticDisplayDeviceInfo>;

    // Reading keeps every "device" node that reads completely and always
    // succeeds; a damaged node is left out and marks the database modified so
    // the next save rewrites the file whole. Writing fails at the first record
    // that cannot be written.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    // One record per device, in list order: first the unused record with the
    // same identity string, then the unused one with the same shown name,
    // else a new record under nextId(). A record goes to at most one
    // device per call, and an empty text matches nothing. Devices must not be
    // empty.
    std::vector<Record> assignIds(const DisplayDeviceList& devices);

    std::vector<Record> devices();
    // The id the next new record gets.
    std::uint32_t nextId();

private:
    using DeviceKey = std::function<std::wstring(const DisplayDeviceInfo&)>;

    void readDevices(kelSerializationIoStream& io, unsigned flags);
    bool writeDevices(kelSerializationIoStream& io, unsigned flags);
    // A stored id that names no usable record still may be what profiles and
    // kept states refer to, so no new monitor may take it.
    void reserveId(std::uint32_t id);
    bool isKnownId(std::uint32_t id) const;
    std::uint32_t freshId() const;
    std::uint32_t lowestUntakenId() const;
    void matchPass(const DisplayDeviceList& devices, std::vector<Record>& assigned, std::vector<bool>& used,
                   const DeviceKey& deviceKey, std::wstring StaticDisplayDeviceInfo::*recordKey) const;

    std::vector<Record> records;
    // Every id a record has had or a damaged node still carried, in this run.
    std::set<std::uint32_t> takenIds;
};
