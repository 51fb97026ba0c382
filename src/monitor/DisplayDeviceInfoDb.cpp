#include "monitor/DisplayDeviceInfoDb.h"

#include "persistence/kelSerializationIoStream.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

constexpr std::uint32_t lastId = std::numeric_limits<std::uint32_t>::max();

// 0 means "not assigned", and the largest value is kept out so that the id
// above any assignable one still fits the type.
bool isAssignableId(std::uint32_t id)
{
    return id != 0 && id != lastId;
}

} // namespace

bool DisplayDeviceInfoDb::serialize(kelSerializationIoStream& io, unsigned flags)
{
    auto guard = autoLock();
    if (!io.isReading())
        return writeDevices(io, flags);
    readDevices(io, flags);
    return true;
}

void DisplayDeviceInfoDb::readDevices(kelSerializationIoStream& io, unsigned flags)
{
    records.clear();
    bool skipped = false;
    for (const auto& child : io.children(L"device")) {
        auto record = std::make_shared<StaticDisplayDeviceInfo>();
        const bool complete = record->serialize(*child, flags);
        if (complete && isAssignableId(record->id) && !isKnownId(record->id)) {
            records.push_back(record);
            reserveId(record->id);
            continue;
        }
        skipped = true;
        std::uint32_t damagedId = 0;
        if (child->serializeValue(L"id", damagedId, true))
            reserveId(damagedId);
    }
    if (skipped)
        setModified(true);
}

bool DisplayDeviceInfoDb::writeDevices(kelSerializationIoStream& io, unsigned flags)
{
    for (const auto& record : records) {
        const auto child = io.child(L"device");
        if (!child || !record->serialize(*child, flags))
            return false;
    }
    return true;
}

void DisplayDeviceInfoDb::reserveId(std::uint32_t id)
{
    if (isAssignableId(id))
        takenIds.insert(id);
}

bool DisplayDeviceInfoDb::isKnownId(std::uint32_t id) const
{
    return std::any_of(records.begin(), records.end(), [id](const Record& record) { return record->id == id; });
}

std::vector<DisplayDeviceInfoDb::Record> DisplayDeviceInfoDb::assignIds(const DisplayDeviceList& devices)
{
    auto guard = autoLock();
    std::vector<Record> assigned(devices.size());
    std::vector<bool> used(records.size(), false);
    matchPass(devices, assigned, used, [](const DisplayDeviceInfo& device) { return device.instanceName(); },
              &StaticDisplayDeviceInfo::instanceName);
    matchPass(devices, assigned, used, [](const DisplayDeviceInfo& device) { return device.displayName(); },
              &StaticDisplayDeviceInfo::displayName);
    for (std::size_t index = 0; index < devices.size(); ++index) {
        if (assigned[index])
            continue;
        assigned[index] = std::make_shared<StaticDisplayDeviceInfo>(freshId(), *devices[index]);
        reserveId(assigned[index]->id);
        records.push_back(assigned[index]);
        setModified(true);
    }
    return assigned;
}

void DisplayDeviceInfoDb::matchPass(const DisplayDeviceList& devices, std::vector<Record>& assigned,
                                    std::vector<bool>& used, const DeviceKey& deviceKey,
                                    std::wstring StaticDisplayDeviceInfo::*recordKey) const
{
    for (std::size_t index = 0; index < devices.size(); ++index) {
        if (assigned[index])
            continue;
        // An empty text identifies nothing: taking the first record with an
        // empty identity could give one monitor another's id.
        const std::wstring key = deviceKey(*devices[index]);
        if (key.empty())
            continue;
        for (std::size_t candidate = 0; candidate < records.size(); ++candidate) {
            if (!used[candidate] && (*records[candidate]).*recordKey == key) {
                used[candidate] = true;
                assigned[index] = records[candidate];
                break;
            }
        }
    }
}

std::vector<DisplayDeviceInfoDb::Record> DisplayDeviceInfoDb::devices()
{
    auto guard = autoLock();
    return records;
}

std::uint32_t DisplayDeviceInfoDb::nextId()
{
    auto guard = autoLock();
    return freshId();
}

std::uint32_t DisplayDeviceInfoDb::freshId() const
{
    if (!takenIds.empty() && isAssignableId(*takenIds.rbegin() + 1))
        return *takenIds.rbegin() + 1;
    return lowestUntakenId();
}

std::uint32_t DisplayDeviceInfoDb::lowestUntakenId() const
{
    std::uint32_t candidate = 1;
    for (const std::uint32_t taken : takenIds) {
        if (taken != candidate)
            break;
        ++candidate;
    }
    // Only with every id from 1 up taken, which would take four billion monitors.
    if (!isAssignableId(candidate))
        throw std::length_error("no monitor id is left");
    return candidate;
}
