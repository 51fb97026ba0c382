#include "actions/VtHotkey.h"

#include "persistence/kelSerializationIoStream.h"

bool VtHotkey::serialize(kelSerializationIoStream& io, unsigned flags)
{
    if (!Hotkey::serialize(io, flags))
        return false;
    auto child = io.child(L"action");
    if (!child && io.isReading())
        child = io.child(L"details");
    return child && action->serialize(*child, flags);
}
