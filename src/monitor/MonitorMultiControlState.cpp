#include "monitor/MonitorMultiControlState.h"

#include "persistence/kelByteText.h"
#include "persistence/kelSerializationIoStream.h"

bool MonitorMultiControlState::serialize(kelSerializationIoStream& io, unsigned flags)
{
    if (io.isReading()) {
        states.clear();
        for (const auto& control : io.children(L"control")) {
            std::wstring uid, state;
            if (!control->input()->read(L"uid", uid, true) || !control->input()->read(L"state", state, true))
                return false;
            auto bytes = narrowBytes(state);
            if (!bytes)
                return false;
            states[uid] = std::move(*bytes);
        }
        return true;
    }
    for (const auto& [uid, state] : states) {
        auto control = io.child(L"control");
        if (!control || !control->output()->write(L"uid", uid, true) ||
            !control->output()->write(L"state", widenBytes(state), true))
            return false;
    }
    return true;
}
