#include "monitor/VtMonitorsState.h"

#include "persistence/kelByteText.h"
#include "persistence/kelSerializationIoStream.h"

#include <map>

namespace {

// No state is ever kept as an empty text.
std::optional<std::string> narrowStateText(const std::wstring& text)
{
    return text.empty() ? std::nullopt : narrowBytes(text);
}

} // namespace

bool VtMonitorsState::serialize(kelSerializationIoStream& io, unsigned)
{
    auto guard = autoLock();
    return io.isReading() ? readStates(io) : writeStates(io);
}

bool VtMonitorsState::readStates(kelSerializationIoStream& io)
{
    bool skipped = false;
    for (const auto& child : io.children(L"monitor")) {
        std::uint32_t id = 0;
        std::wstring wideText;
        const bool complete = child->serializeValue(L"monitor_id", id, true) &&
                              child->serializeValue(L"state", wideText, true);
        const auto text = complete ? narrowStateText(wideText) : std::nullopt;
        if (text)
            entries[id] = *text;
        else
            skipped = true;
    }
    if (skipped)
        setModified(true);
    return true;
}

bool VtMonitorsState::writeStates(kelSerializationIoStream& io)
{
    // In id order, so that the same states always make the same file.
    const std::map<std::uint32_t, std::string> ordered(entries.begin(), entries.end());
    for (const auto& [storedId, text] : ordered) {
        std::uint32_t id = storedId;
        std::wstring wideText = widenBytes(text);
        const auto child = io.child(L"monitor");
        if (!child || !child->serializeValue(L"monitor_id", id, true) ||
            !child->serializeValue(L"state", wideText, true))
            return false;
    }
    return true;
}

bool VtMonitorsState::hasState(std::uint32_t id)
{
    auto guard = autoLock();
    return entries.contains(id);
}

std::optional<std::string> VtMonitorsState::state(std::uint32_t id)
{
    auto guard = autoLock();
    const auto found = entries.find(id);
    if (found == entries.end())
        return std::nullopt;
    return found->second;
}

void VtMonitorsState::keep(std::uint32_t id, const std::string& text)
{
    auto guard = autoLock();
    const auto found = entries.find(id);
    if (found == entries.end()) {
        if (text.empty())
            return;
        entries.emplace(id, text);
    } else if (text.empty()) {
        entries.erase(found);
    } else if (found->second == text) {
        return;
    } else {
        found->second = text;
    }
    setModified(true);
}

VtMonitorsState::States VtMonitorsState::states()
{
    auto guard = autoLock();
    return entries;
}
