#include "actions/WinHotkeyMsgProcessor.h"

#include "actions/HotkeyList.h"

bool WinHotkeyMsgProcessor::processMessage(const MSG& message)
{
    if (message.message != WM_HOTKEY || !hotkeys)
        return false;
    const auto hotkey = hotkeys->find(static_cast<std::uint32_t>(message.wParam));
    if (!hotkey)
        return false;
    const auto callback = hotkey->callback;
    if (callback)
        callback(hotkey.get());
    return true;
}
