#include "backends/WinWmiMonitorIds2DdiMap.h"

#include "backends/WinDisplayDeviceInfo.h"

#include <cwctype>

namespace {

bool isLetterOrDigit(wchar_t c)
{
    return std::iswalpha(c) != 0 || std::iswdigit(c) != 0;
}

// Whether word occurs in text with no letter or digit right after it and,
// when asked, none right before it. Every occurrence is tried, so a longer
// word that merely starts with this one earlier in the text does not hide it.
bool containsWord(const std::wstring& text, const std::wstring& word, bool boundedBefore)
{
    for (auto at = text.find(word); at != std::wstring::npos; at = text.find(word, at + 1)) {
        const auto after = at + word.size();
        const bool endsWord = after == text.size() || !isLetterOrDigit(text[after]);
        const bool startsWord = !boundedBefore || at == 0 || !isLetterOrDigit(text[at - 1]);
        if (endsWord && startsWord)
            return true;
    }
    return false;
}

// "&UID" and the run of letters and digits after it; empty without "&UID".
std::wstring uniqueIdToken(const std::wstring& instanceName)
{
    static const std::wstring marker = L"&UID";
    const auto start = instanceName.find(marker);
    if (start == std::wstring::npos)
        return {};
    auto end = start + marker.size();
    while (end < instanceName.size() && isLetterOrDigit(instanceName[end]))
        ++end;
    return instanceName.substr(start, end - start);
}

std::wstring interfacePathOf(const DisplayDeviceInfo& monitor)
{
    const auto* device = dynamic_cast<const WinDisplayDeviceInfo*>(&monitor);
    return device != nullptr ? device->interfacePath() : std::wstring();
}

WmiMonitorMatch matchOf(const DisplayDevicesInfo& snapshot, const std::shared_ptr<const WinWmiMonitorId>& id)
{
    if (id->manufacturerName.empty() || id->productCode.empty())
        return {};
    const std::wstring key = id->manufacturerName + id->productCode;
    const std::wstring token = uniqueIdToken(id->instanceName);
    if (token.empty())
        return {};
    for (const auto& adapter : snapshot.adapters()) {
        for (const auto& monitor : snapshot.monitorsOf(adapter)) {
            const std::wstring path = interfacePathOf(*monitor);
            if (!path.empty() && containsWord(path, token, false) && containsWord(path, key, true))
                return {adapter, monitor, id};
        }
    }
    return {};
}

WmiMonitorMatch findIn(const std::map<std::wstring, WmiMonitorMatch>& matches, const std::wstring& key)
{
    const auto found = matches.find(key);
    return found != matches.end() ? found->second : WmiMonitorMatch{};
}

} // namespace

WinWmiMonitorIds2DdiMap::WinWmiMonitorIds2DdiMap(std::shared_ptr<DisplayDevicesInfo> snapshot,
                                                 const WinWmiMonitorIdList& ids)
    : devices(std::move(snapshot))
{
    for (const auto& id : ids) {
        const WmiMonitorMatch match = matchOf(*devices, id);
        byInstanceName[id->instanceName] = match;
        if (!match.monitor)
            continue;
        const std::wstring path = interfacePathOf(*match.monitor);
        if (!path.empty())
            byInterfacePath[path] = match;
    }
}

WmiMonitorMatch WinWmiMonitorIds2DdiMap::findByInstanceName(const std::wstring& instanceName) const
{
    return findIn(byInstanceName, instanceName);
}

WmiMonitorMatch WinWmiMonitorIds2DdiMap::findByInterfacePath(const std::wstring& interfacePath) const
{
    return findIn(byInterfacePath, interfacePath);
}
