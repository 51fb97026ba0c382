#pragma once

#include "actions/VtHotkey.h"
#include "actions/VtHotkeysProcessor.h"
#include "persistence/kelSerializable.h"

#include <cstdint>
#include <memory>

class HotkeyPlatform;

// The user's hotkeys, kept in "hotkeys.vt": hands out ids, which only grow in
// a run and continue after the largest stored one at the next start, and
// registers the whole set while the global-hotkeys setting is on.
// Registering and firing happen on the UI thread; the autosave thread saves.
// Where both locks are taken, the list's comes first.
class VtHotkeysManager : public kelSerializableTs, public std::enable_shared_from_this<VtHotkeysManager> {
public:
    VtHotkeysManager(std::shared_ptr<VtHotkeysProcessor> processor, std::shared_ptr<HotkeyPlatform> platform);

    // Fails, changing nothing, on reading a file without "keys".
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;
    bool isModified() override;

    // Gives the hotkey the next id and registers it at once.
    void addHotkey(const std::shared_ptr<VtHotkey>& hotkey);
    // Registers or unregisters the whole set; the same state again changes nothing.
    void enableHotkeys(bool enable);
    bool isRegistered();

    std::shared_ptr<VtHotkeyList> hotkeyList() const { return list; }

private:
    Hotkey::Callback hotkeyCallback();
    void onHotkey(const Hotkey& hotkey);

    bool registered = false;
    std::uint32_t nextId = 0;
    std::shared_ptr<VtHotkeyList> list;
    std::shared_ptr<VtHotkeysProcessor> processor;
};
