#include "profiles/MonitorsProfileList.h"

#include "persistence/kelSerializationIoStream.h"

#include <utility>

std::shared_ptr<MonitorsProfile> MonitorsProfileList::create(const std::wstring& name)
{
    auto guard = autoLock();
    auto profile = std::make_shared<MonitorsProfile>();
    profiles[name] = profile;
    setModified(true);
    return profile;
}

void MonitorsProfileList::remove(const std::wstring& name)
{
    auto guard = autoLock();
    if (profiles.erase(name) != 0)
        setModified(true);
}

std::shared_ptr<MonitorsProfile> MonitorsProfileList::find(const std::wstring& name)
{
    auto guard = autoLock();
    const auto found = profiles.find(name);
    return found == profiles.end() ? nullptr : found->second;
}

MonitorsProfileList::Profiles MonitorsProfileList::getProfiles()
{
    auto guard = autoLock();
    return profiles;
}

std::shared_ptr<MonitorsProfile> MonitorsProfileList::storeValues(const std::wstring& name,
                                                                  const MonitorsProfile& values)
{
    if (name.empty())
        return nullptr;
    auto guard = autoLock();
    auto profile = find(name);
    if (!profile)
        profile = create(name);
    profile->copyFrom(values);
    return profile;
}

std::shared_ptr<MonitorsProfile> MonitorsProfileList::copyOf(const std::wstring& name)
{
    auto guard = autoLock();
    const auto profile = find(name);
    if (!profile)
        return nullptr;
    auto copy = std::make_shared<MonitorsProfile>();
    copy->copyFrom(*profile);
    return copy;
}

bool MonitorsProfileList::serialize(kelSerializationIoStream& io, unsigned flags)
{
    auto guard = autoLock();
    const auto node = io.child(L"profiles");
    if (!node)
        return false;
    return io.isReading() ? readProfiles(*node, flags) : writeProfiles(*node, flags);
}

bool MonitorsProfileList::readProfiles(kelSerializationIoStream& io, unsigned flags)
{
    for (const auto& child : io.children(L"profile")) {
        std::wstring name;
        auto profile = std::make_shared<MonitorsProfile>();
        if (!child->serializeValue(L"name", name, true) || !profile->serialize(*child, flags))
            return false;
        profiles[name] = std::move(profile);
    }
    return true;
}

bool MonitorsProfileList::writeProfiles(kelSerializationIoStream& io, unsigned flags)
{
    for (const auto& [storedName, profile] : profiles) {
        std::wstring name = storedName;
        const auto child = io.child(L"profile");
        if (!child || !child->serializeValue(L"name", name, true) || !profile->serialize(*child, flags))
            return false;
    }
    return true;
}
