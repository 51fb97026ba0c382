#include "actions/Hotkey.h"

#include "persistence/kelSerializationIoStream.h"
#include "persistence/kelUtf8.h"

std::uint32_t platformModifiersOf(std::uint32_t modifiers)
{
    constexpr std::uint32_t platformAlt = 1;
    constexpr std::uint32_t platformControl = 2;
    constexpr std::uint32_t platformShift = 4;
    return (modifiers & HotkeyAlt ? platformAlt : 0) | (modifiers & HotkeyControl ? platformControl : 0) |
           (modifiers & HotkeyShift ? platformShift : 0);
}

bool Hotkey::serialize(kelSerializationIoStream& io, unsigned)
{
    std::wstring name = io.isReading() ? std::wstring() : kelUtf8ToWide(label);
    if (!io.serializeValue(L"name", name, true))
        return false;
    if (io.isReading())
        label = kelWideToUtf8(name);
    return io.serializeValue(L"id", id, true) && io.serializeValue(L"key", virtualKey, true) &&
           io.serializeValue(L"modifiers", modifiers, true);
}
