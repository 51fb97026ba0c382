#include "actions/VtHotkeysManager.h"

#include "persistence/kelSerializationIoStream.h"

#include <algorithm>

VtHotkeysManager::VtHotkeysManager(std::shared_ptr<VtHotkeysProcessor> processor,
                                   std::shared_ptr<HotkeyPlatform> platform)
    : list(std::make_shared<VtHotkeyList>(std::move(platform))), processor(std::move(processor))
{
}

bool VtHotkeysManager::serialize(kelSerializationIoStream& io, unsigned flags)
{
    const auto listLock = list->autoLock();
    const auto keys = io.child(L"keys");
    if (!keys)
        return false;
    const bool result = list->serialize(*keys, flags);
    if (!io.isReading())
        return result;
    const auto held = autoLock();
    bool any = false;
    std::uint32_t largest = 0;
    list->forEach([&](Hotkey& hotkey) {
        hotkey.callback = hotkeyCallback();
        largest = std::max(largest, hotkey.id);
        any = true;
    });
    nextId = std::max(nextId, largest);
    if (any)
        ++nextId;
    return result;
}

bool VtHotkeysManager::isModified()
{
    return kelSerializableTs::isModified() || list->isModified();
}

void VtHotkeysManager::addHotkey(const std::shared_ptr<VtHotkey>& hotkey)
{
    {
        const auto held = autoLock();
        hotkey->id = nextId++;
    }
    hotkey->callback = hotkeyCallback();
    list->addHotkey(hotkey, true, true);
}

void VtHotkeysManager::enableHotkeys(bool enable)
{
    // The list's lock before the manager's, as in serialize.
    const auto listLock = list->autoLock();
    const auto held = autoLock();
    if (enable == registered)
        return;
    if (enable)
        list->registerAll();
    else
        list->unregisterAll();
    registered = enable;
}

bool VtHotkeysManager::isRegistered()
{
    const auto held = autoLock();
    return registered;
}

Hotkey::Callback VtHotkeysManager::hotkeyCallback()
{
    // Weak: the hotkeys live in the manager's own list.
    return [manager = weak_from_this()](const Hotkey* hotkey) {
        if (const auto owner = manager.lock(); owner && hotkey)
            owner->onHotkey(*hotkey);
    };
}

void VtHotkeysManager::onHotkey(const Hotkey& hotkey)
{
    if (processor)
        processor->runHotkey(hotkey);
}
