#include "ui/WinTrayIconPlatform.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

namespace {

bool notify(DWORD action, UINT flags, const TrayIconData& data)
{
    NOTIFYICONDATAW notification{};
    notification.cbSize = sizeof(notification);
    notification.hWnd = reinterpret_cast<HWND>(data.owner);
    notification.uID = static_cast<UINT>(data.id);
    notification.uFlags = flags;
    notification.uCallbackMessage = data.callbackMessage;
    notification.hIcon = static_cast<HICON>(data.icon);
    const std::size_t length = std::min(data.tip.size(), std::size(notification.szTip) - 1);
    std::copy_n(data.tip.begin(), length, notification.szTip);
    return Shell_NotifyIconW(action, &notification) != FALSE;
}

} // namespace

bool WinTrayIconPlatform::add(const TrayIconData& data)
{
    return notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP, data);
}

bool WinTrayIconPlatform::modifyIcon(const TrayIconData& data)
{
    return notify(NIM_MODIFY, NIF_ICON, data);
}

bool WinTrayIconPlatform::remove(const TrayIconData& data)
{
    return notify(NIM_DELETE, 0, data);
}
