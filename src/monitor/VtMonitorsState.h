#pragma once

#include "monitor/MonitorValueKinds.h"
#include "persistence/kelSerializable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

// The kept state texts of one kind, per monitor id: what each monitor's
// control returned from saveState. Every access takes the object's lock, as
// the autosave thread writes it while the monitor worker captures.
class VtMonitorsState : public kelSerializableTs {
public:
    using States = std::unordered_map<std::uint32_t, std::string>;

    explicit VtMonitorsState(MonitorStateKind kind) : stateKind(kind) {}

    MonitorStateKind kind() const { return stateKind; }

    // Reading adds to the entries already held. A "monitor" node without both
    // values, or whose text cannot be a state this program wrote, is left out
    // and the nodes after it still load; it marks the object modified so the
    // next save rewrites the file whole. Writing fails at the first entry that
    // cannot be written.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    bool hasState(std::uint32_t id);
    std::optional<std::string> state(std::uint32_t id);
    // Keeps text for id; an empty text drops the entry. Marks the object
    // modified only when that changes what is kept.
    void keep(std::uint32_t id, const std::string& text);
    States states();

private:
    bool readStates(kelSerializationIoStream& io);
    bool writeStates(kelSerializationIoStream& io);

    const MonitorStateKind stateKind;
    States entries;
};
