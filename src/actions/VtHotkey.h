#pragma once

#include "actions/VtUserAction.h"
#include "actions/WinHotkey.h"

#include <memory>

// A hotkey that runs one user action, kept in its child element "action".
class VtHotkey : public WinHotkey {
public:
    using WinHotkey::WinHotkey;

    // Older files keep the action in "details"; it is always written back as "action".
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    std::shared_ptr<VtUserAction> action = std::make_shared<VtUserAction>();
};

class VtHotkeyList : public WinHotkeyList {
public:
    using WinHotkeyList::WinHotkeyList;

    std::shared_ptr<Hotkey> createHotkey() override { return std::make_shared<VtHotkey>(platform); }
};
