#include "monitor/VtMonitorsState.h"

#include "persistence/kelSerializationIoStream.h"

#include <algorithm>
#include <map>

namespace {

// Texts travel one byte per character. A character beyond one byte can only
// come from a damaged or foreign file, and cutting it to its low byte could
// turn it into a quote or brace that changes what the text means. No state is
// ever kept as an empty text.
std::optional<std::string> narrowStateText(const std::wstring& text)
{
    const auto beyondByte = [](wchar_t c) { return static_cast<std::uint32_t>(c) > 0xff; };
    if (text.empty() || std::any_of(text.begin(), text.end(), beyondByte))
        return std::nullopt;
    std::string narrow;
    narrow.reserve(text.size());
    for (const wchar_t c : text)
        narrow.push_back(static_cast<char>(c));
    return narrow;
}

std::wstring widenStateText(const std::string& text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (const char c : text)
        wide.push_back(static_cast<unsigned char>(c));
    return wide;
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
        std::wstring wideText = widenStateText(text);
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
