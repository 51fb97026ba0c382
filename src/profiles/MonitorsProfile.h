#pragma once

#include "monitor/MonitorManager.h"
#include "persistence/kelSerializableComposite.h"
#include "profiles/MonitorProfile.h"

#include <map>
#include <memory>
#include <ranges>
#include <string>

// The values of every monitor under the monitor's id text: a named profile,
// or the monitors' current values. A changed entry makes the whole report
// modified. Plain data, changed only under the lock of whoever owns it.
class MonitorsProfile : public kelSerializableComposite<MonitorsProfile> {
public:
    using Entries = std::map<std::wstring, std::shared_ptr<MonitorProfile>>;

    // Captures every listed monitor, adding entries for new ones; true when
    // every capture succeeded.
    bool captureFrom(const MonitorManagerList& list);
    // Applies each entry to the listed monitor of that id; monitors without
    // an entry are left alone, entries without a monitor are ignored.
    void applyTo(const MonitorManagerList& list) const;

    // Copies the values of source's entries into this profile's, adding the
    // entries this one lacks unless onlyExisting; copied entries are marked.
    void assign(const MonitorsProfile& source, bool onlyExisting);
    // Makes this profile hold exactly source's entries.
    void copyFrom(const MonitorsProfile& source);
    // Moves the entry of oldId to newId; an entry already under newId wins.
    void reKey(const std::wstring& oldId, const std::wstring& newId);
    // Whether assigning this profile after earlier leaves nothing of
    // earlier's behind: it has an entry for every monitor earlier names,
    // with at least the colour channels earlier's entry has.
    bool covers(const MonitorsProfile& earlier) const;

    std::shared_ptr<MonitorProfile> find(const std::wstring& id) const;

    // Reading adds to (and replaces within) the entries already held.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    Entries monitors;

private:
    friend class kelSerializableComposite<MonitorsProfile>;
    auto elements() const { return std::views::values(monitors); }

    bool readEntries(kelSerializationIoStream& io, unsigned flags);
    bool writeEntries(kelSerializationIoStream& io, unsigned flags);
};

// The id text a profile keeps a monitor under.
std::wstring profileIdOf(const MonitorManager& monitor);
