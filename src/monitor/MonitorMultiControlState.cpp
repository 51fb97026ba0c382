#include "monitor/MonitorMultiControlState.h"

#include "persistence/kelSerializationIoStream.h"

namespace {

// The back-ends' state texts are plain ASCII JSON, carried byte for byte.
std::wstring widened(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::string narrowed(const std::wstring& text)
{
    std::string result;
    result.reserve(text.size());
    for (wchar_t character : text)
        result.push_back(static_cast<char>(character & 0xFF));
    return result;
}

} // namespace

bool MonitorMultiControlState::serialize(kelSerializationIoStream& io, unsigned flags)
{
    if (io.isReading()) {
        states.clear();
        for (const auto& control : io.children(L"control")) {
            std::wstring uid, state;
            if (!control->input()->read(L"uid", uid, true) || !control->input()->read(L"state", state, true))
                return false;
            states[uid] = narrowed(state);
        }
        return true;
    }
    for (const auto& [uid, state] : states) {
        auto control = io.child(L"control");
        if (!control || !control->output()->write(L"uid", uid, true) ||
            !control->output()->write(L"state", widened(state), true))
            return false;
    }
    return true;
}
