#pragma once

#include "ui/TrayIconPlatform.h"

// The notification area through Shell_NotifyIconW. UI thread only.
class WinTrayIconPlatform : public TrayIconPlatform {
public:
    bool add(const TrayIconData& data) override;
    bool modifyIcon(const TrayIconData& data) override;
    bool remove(const TrayIconData& data) override;
};
