#pragma once

#include "persistence/kelSerializable.h"

#include <cstdint>
#include <functional>
#include <string>

// The program's own modifier bits, stored in files as they are.
enum HotkeyModifiers : std::uint32_t {
    HotkeyAlt = 1,
    HotkeyShift = 2,
    HotkeyControl = 4,
};

// The platform's modifier bits for RegisterHotKey: Alt 1, Control 2, Shift 4.
std::uint32_t platformModifiersOf(std::uint32_t modifiers);

// A key combination that works in every program. The callback runs on the UI
// thread when the combination is pressed, with no lock held.
class Hotkey : public kelSerializable {
public:
    using Callback = std::function<void(const Hotkey*)>;

    explicit Hotkey(Callback callback = {}) : callback(std::move(callback)) {}
    ~Hotkey() override = default;

    // Reading fails on the first missing or unreadable value.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    virtual bool registerHotkey() = 0;
    virtual bool unregisterHotkey() = 0;

    std::uint32_t id = 0;
    std::uint32_t virtualKey = 0;
    std::uint32_t modifiers = 0;
    // As the hotkey control shows it, e.g. "Ctrl + Alt + B"; UTF-8.
    std::string label;
    Callback callback;
};
