#pragma once

#include "persistence/kelSerializableComposite.h"
#include "profiles/MonitorsProfile.h"
#include "support/kelThreadSafe.h"

#include <map>
#include <memory>
#include <ranges>
#include <string>

// The named profiles of "profiles.vt", by exact (case-sensitive) name. The UI
// and the autosave thread share it: every operation runs under its re-entrant
// lock, and callers that read a profile's values take autoLock() first.
class MonitorsProfileList : public kelSerializableComposite<MonitorsProfileList>, public kelThreadSafe {
public:
    using Profiles = std::map<std::wstring, std::shared_ptr<MonitorsProfile>>;

    void lock() override { criticalSection.enter(); }
    void unlock() override { criticalSection.leave(); }

    // An empty profile under name, replacing one of that name.
    std::shared_ptr<MonitorsProfile> create(const std::wstring& name);
    void remove(const std::wstring& name);
    std::shared_ptr<MonitorsProfile> find(const std::wstring& name);
    // The profiles in name order; their values are read under autoLock().
    Profiles getProfiles();

    // Saves values under name: a new profile, or the existing one of that
    // name overwritten. An empty name saves nothing and gives an empty pointer.
    std::shared_ptr<MonitorsProfile> storeValues(const std::wstring& name, const MonitorsProfile& values);
    // A private copy of the profile of that name, to hand to another thread;
    // empty if there is none.
    std::shared_ptr<MonitorsProfile> copyOf(const std::wstring& name);

    // Reading adds to (and replaces within) the profiles already held, and
    // fails on a missing "profiles" element, a "profile" without a name or a
    // damaged entry, keeping what was read before it.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

private:
    friend class kelSerializableComposite<MonitorsProfileList>;
    auto elements() const { return std::views::values(profiles); }

    bool readProfiles(kelSerializationIoStream& io, unsigned flags);
    bool writeProfiles(kelSerializationIoStream& io, unsigned flags);

    Profiles profiles;
};
