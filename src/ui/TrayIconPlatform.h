#pragma once

#include <cstdint>
#include <string>

// An icon as the platform knows it (an icon handle); null when none.
using TrayIcon = void*;

// What the notification area is told about one icon.
struct TrayIconData {
    int id = 0;
    // The window that receives the icon's mouse notifications (a window handle).
    std::uintptr_t owner = 0;
    unsigned callbackMessage = 0;
    std::wstring tip;
    TrayIcon icon = nullptr;
};

// The notification area: Shell_NotifyIconW on Windows. UI thread only.
class TrayIconPlatform {
public:
    // Adds the icon with its message, icon and tip.
    virtual bool add(const TrayIconData& data) = 0;
    // Changes the shown icon only.
    virtual bool modifyIcon(const TrayIconData& data) = 0;
    virtual bool remove(const TrayIconData& data) = 0;
    virtual ~TrayIconPlatform() = default;
};
