#include "profiles/VtSettings.h"

#include "persistence/kelSerializationIoStream.h"

#include <array>
#include <utility>

bool VtSettings::serialize(kelSerializationIoStream& io, unsigned)
{
    const std::array<std::pair<const wchar_t*, bool*>, 3> switches{{
        {L"enableOnAppsActions", &enableOnAppsActions},
        {L"enableGlobalHotkeys", &enableGlobalHotkeys},
        {L"switchProfilesUsingMlcOnTrayIcon", &switchProfilesUsingMlcOnTrayIcon},
    }};
    for (const auto& [name, field] : switches) {
        if (!io.serializeValue(name, *field, true) && !io.isReading())
            return false;
    }
    return true;
}
