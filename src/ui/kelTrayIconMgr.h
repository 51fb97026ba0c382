#pragma once

#include "ui/TrayIconPlatform.h"

#include <memory>
#include <string>

// The program's one icon in the notification area. It remembers the icon
// asked for, so that an icon the area refused (a taskbar not ready yet at
// logon) can be added again later and a shown one again when the taskbar is
// re-created, and removes it when it goes. UI thread only.
class kelTrayIconMgr {
public:
    // The tip is cut to what the area shows: 127 characters.
    kelTrayIconMgr(std::shared_ptr<TrayIconPlatform> platform, int id, std::uintptr_t owner, std::wstring tooltip,
                   unsigned callbackMessage);
    ~kelTrayIconMgr();
    kelTrayIconMgr(const kelTrayIconMgr&) = delete;
    kelTrayIconMgr& operator=(const kelTrayIconMgr&) = delete;

    // Each remembers (or, removing, forgets) the icon shown only when the
    // area took the change; showing remembers the icon asked for either way.
    bool showIcon(TrayIcon icon);
    bool updateIcon(TrayIcon icon);
    bool removeIcon();
    // After the taskbar was re-created: the icon shown is changed in place if
    // the new taskbar knows it, and added again otherwise; an icon the area
    // refused is added now.
    void showAgain();
    // Adds an icon the area refused once more; true once one is shown.
    bool retryRefused();

    TrayIcon icon() const { return shown; }
    // Asked for but not shown: the area refused it.
    bool isRefused() const { return wanted && !shown; }
    const std::wstring& tooltip() const { return data.tip; }

private:
    TrayIconData with(TrayIcon icon) const;

    std::shared_ptr<TrayIconPlatform> platform;
    TrayIconData data;
    TrayIcon wanted = nullptr;
    TrayIcon shown = nullptr;
};
