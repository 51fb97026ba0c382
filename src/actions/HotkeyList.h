#pragma once

#include "actions/Hotkey.h"
#include "persistence/kelSerializable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>

// The hotkeys by id, behind a re-entrant lock that the autosave thread's
// save and the UI thread's lookups share. Callbacks never run under it.
class HotkeyList : public kelSerializableTs {
public:
    ~HotkeyList() override = default;

    // Reading refills the map (registering nothing) and skips keys that do
    // not read; a later key with an id already read replaces it. Always true.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    virtual std::shared_ptr<Hotkey> createHotkey() = 0;

    void addHotkey(const std::shared_ptr<Hotkey>& hotkey, bool registerNow, bool markModified);
    void removeHotkey(std::uint32_t id);
    void registerAll();
    void unregisterAll();
    std::shared_ptr<Hotkey> find(std::uint32_t id);
    // A press of the hotkey with that id: runs its callback outside the
    // lock; false when no hotkey has the id.
    bool fire(std::uint32_t id);
    // Under the lock, in the map's order.
    void forEach(const std::function<void(Hotkey&)>& visit);

private:
    std::unordered_map<std::uint32_t, std::shared_ptr<Hotkey>> hotkeys;
};
