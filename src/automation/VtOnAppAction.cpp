#include "automation/VtOnAppAction.h"

#include "persistence/kelSerializationIoStream.h"

bool VtOnAppAction::serialize(kelSerializationIoStream& io, unsigned flags)
{
    unsigned id = appId;
    if (!io.serializeValue(L"app_id", id, true))
        return false;
    appId = id;
    const auto child = io.child(L"action");
    return child && action.serialize(*child, flags);
}
