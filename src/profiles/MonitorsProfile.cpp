#include "profiles/MonitorsProfile.h"

#include "persistence/kelSerializationIoStream.h"

#include <algorithm>
#include <utility>

std::wstring profileIdOf(const MonitorManager& monitor)
{
    const auto device = monitor.displayDevice();
    return device ? device->instanceName() : std::wstring();
}

bool MonitorsProfile::captureFrom(const MonitorManagerList& list)
{
    bool captured = true;
    for (const auto& monitor : list) {
        auto& entry = monitors[profileIdOf(*monitor)];
        if (!entry)
            entry = std::make_shared<MonitorProfile>();
        const auto control = monitor->control();
        captured &= control && entry->captureFrom(*control);
    }
    return captured;
}

void MonitorsProfile::applyTo(const MonitorManagerList& list) const
{
    for (const auto& monitor : list) {
        const auto entry = find(profileIdOf(*monitor));
        const auto control = monitor->control();
        if (entry && control)
            entry->applyTo(*control);
    }
}

void MonitorsProfile::assign(const MonitorsProfile& source, bool onlyExisting)
{
    for (const auto& [id, values] : source.monitors) {
        if (!values)
            continue;
        auto target = find(id);
        if (!target) {
            if (onlyExisting)
                continue;
            target = monitors[id] = std::make_shared<MonitorProfile>();
        }
        target->brightness = values->brightness;
        target->contrast = values->contrast;
        target->gains = values->gains;
        target->setModified(true);
    }
}

void MonitorsProfile::copyFrom(const MonitorsProfile& source)
{
    // Copying a profile onto itself would empty it before reading it.
    if (&source == this)
        return;
    monitors.clear();
    assign(source, false);
    // Entries that were dropped leave nothing marked behind; the profile itself carries the change.
    setModified(true);
}

void MonitorsProfile::reKey(const std::wstring& oldId, const std::wstring& newId)
{
    const auto found = monitors.find(oldId);
    // Moving an entry onto its own id would drop it as if another entry held the id.
    if (found == monitors.end() || oldId == newId)
        return;
    auto values = std::move(found->second);
    monitors.erase(found);
    monitors.try_emplace(newId, std::move(values));
    setModified(true);
}

bool MonitorsProfile::covers(const MonitorsProfile& earlier) const
{
    return std::ranges::all_of(earlier.monitors, [this](const auto& entry) {
        const auto& [id, values] = entry;
        const auto mine = find(id);
        if (!values)
            return true;
        return mine && std::ranges::all_of(values->gains, [&mine](const auto& gain) {
                   return mine->gains.contains(gain.first);
               });
    });
}

std::shared_ptr<MonitorProfile> MonitorsProfile::find(const std::wstring& id) const
{
    const auto found = monitors.find(id);
    return found == monitors.end() ? nullptr : found->second;
}

bool MonitorsProfile::serialize(kelSerializationIoStream& io, unsigned flags)
{
    return io.isReading() ? readEntries(io, flags) : writeEntries(io, flags);
}

bool MonitorsProfile::readEntries(kelSerializationIoStream& io, unsigned flags)
{
    for (const auto& child : io.children(L"monitor_profile")) {
        std::wstring id;
        auto entry = std::make_shared<MonitorProfile>();
        if (!child->serializeValue(L"id", id, true) || !entry->serialize(*child, flags))
            return false;
        monitors[id] = std::move(entry);
    }
    return true;
}

bool MonitorsProfile::writeEntries(kelSerializationIoStream& io, unsigned flags)
{
    for (const auto& [storedId, entry] : monitors) {
        std::wstring id = storedId;
        const auto child = io.child(L"monitor_profile");
        if (!entry || !child || !child->serializeValue(L"id", id, true) || !entry->serialize(*child, flags))
            return false;
    }
    return true;
}
