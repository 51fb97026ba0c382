#include "profiles/ProfileReKeying.h"

#include "profiles/MonitorsProfileList.h"

#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr const wchar_t* builtInDisplayName = L"Built-in Display";
constexpr const wchar_t* wmiBackEndName = L"WMI";

// A built-in panel is the monitor whose brightness the WMI back-end serves.
std::wstring builtInDisplayId(const MonitorManagerList& monitors)
{
    for (const auto& monitor : monitors) {
        const auto control = monitor->control();
        if (control && control->controlName(Brightness) == wmiBackEndName)
            return profileIdOf(*monitor);
    }
    return {};
}

} // namespace

void reKeyProfiles(MonitorsProfileList& profiles, const MonitorManagerList& monitors,
                   const MonitorIdLookup& idForLegacyName)
{
    std::optional<std::wstring> builtInId;
    auto guard = profiles.autoLock();
    for (const auto& [name, profile] : profiles.getProfiles()) {
        std::vector<std::pair<std::wstring, std::wstring>> moves;
        for (const auto& [id, values] : profile->monitors) {
            std::wstring newId = idForLegacyName(id);
            if (newId.empty() && id == builtInDisplayName) {
                if (!builtInId)
                    builtInId = builtInDisplayId(monitors);
                newId = *builtInId;
            }
            if (!newId.empty())
                moves.emplace_back(id, std::move(newId));
        }
        for (const auto& [oldId, newId] : moves)
            profile->reKey(oldId, newId);
    }
}
