#include "actions/HotkeyList.h"

#include "persistence/kelSerializationIoStream.h"

bool HotkeyList::serialize(kelSerializationIoStream& io, unsigned flags)
{
    const auto held = autoLock();
    if (!io.isReading()) {
        for (const auto& [id, hotkey] : hotkeys) {
            if (const auto child = io.child(L"key"))
                hotkey->serialize(*child, flags);
        }
        return true;
    }
    hotkeys.clear();
    for (const auto& child : io.children(L"key")) {
        auto hotkey = createHotkey();
        if (hotkey->serialize(*child, flags))
            hotkeys[hotkey->id] = std::move(hotkey);
    }
    return true;
}

void HotkeyList::addHotkey(const std::shared_ptr<Hotkey>& hotkey, bool registerNow, bool markModified)
{
    const auto held = autoLock();
    hotkeys[hotkey->id] = hotkey;
    if (markModified)
        setModified(true);
    if (registerNow)
        hotkey->registerHotkey();
}

void HotkeyList::removeHotkey(std::uint32_t id)
{
    const auto held = autoLock();
    const auto found = hotkeys.find(id);
    if (found == hotkeys.end())
        return;
    found->second->unregisterHotkey();
    hotkeys.erase(found);
    setModified(true);
}

void HotkeyList::registerAll()
{
    forEach([](Hotkey& hotkey) { hotkey.registerHotkey(); });
}

void HotkeyList::unregisterAll()
{
    forEach([](Hotkey& hotkey) { hotkey.unregisterHotkey(); });
}

std::shared_ptr<Hotkey> HotkeyList::find(std::uint32_t id)
{
    const auto held = autoLock();
    const auto found = hotkeys.find(id);
    return found == hotkeys.end() ? nullptr : found->second;
}

bool HotkeyList::fire(std::uint32_t id)
{
    const auto hotkey = find(id);
    if (!hotkey)
        return false;
    if (const auto callback = hotkey->callback)
        callback(hotkey.get());
    return true;
}

void HotkeyList::forEach(const std::function<void(Hotkey&)>& visit)
{
    const auto held = autoLock();
    for (const auto& [id, hotkey] : hotkeys)
        visit(*hotkey);
}
