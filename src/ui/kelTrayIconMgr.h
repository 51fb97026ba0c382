#pragma once

#include "ui/TrayIconPlatform.h"

#include <memory>
#include <string>

// The program's one icon in the notification area. It remembers the icon
// while the area shows it, so that it can be shown again when the taskbar
// is re-created, and removes it when it goes. UI thread only.
class kelTrayIconMgr {
public:
    // The tip is cut to what the area shows: 127 characters.
    kelTrayIconMgr(std::shared_ptr<TrayIconPlatform> platform, int id, std::uintptr_t owner, std::wstring tooltip,
                   unsigned callbackMessage);
    ~kelTrayIconMgr();
    kelTrayIconMgr(const kelTrayIconMgr&) = delete;
    kelTrayIconMgr& operator=(const kelTrayIconMgr&) = delete;

    // Each remembers (or, removing, forgets) the icon only when the area took the change.
    bool showIcon(TrayIcon icon);
    bool updateIcon(TrayIcon icon);
    bool removeIcon();
    // After the taskbar was re-created: the remembered icon is changed in
    // place if the new taskbar knows it, and added again otherwise.
    void showAgain();

    TrayIcon icon() const { return shown; }
    const std::wstring& tooltip() const { return data.tip; }

private:
    TrayIconData with(TrayIcon icon) const;

    std::shared_ptr<TrayIconPlatform> platform;
    TrayIconData data;
    TrayIcon shown = nullptr;
};
