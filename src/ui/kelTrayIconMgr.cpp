#include "ui/kelTrayIconMgr.h"

namespace {
// The area's tip field holds 128 characters with the terminating zero.
constexpr std::size_t tipLength = 127;
} // namespace

kelTrayIconMgr::kelTrayIconMgr(std::shared_ptr<TrayIconPlatform> platform, int id, std::uintptr_t owner,
                               std::wstring tooltip, unsigned callbackMessage)
    : platform(std::move(platform))
{
    data.id = id;
    data.owner = owner;
    data.callbackMessage = callbackMessage;
    data.tip = tooltip.substr(0, tipLength);
}

kelTrayIconMgr::~kelTrayIconMgr()
{
    if (shown)
        removeIcon();
}

TrayIconData kelTrayIconMgr::with(TrayIcon icon) const
{
    TrayIconData changed = data;
    changed.icon = icon;
    return changed;
}

bool kelTrayIconMgr::showIcon(TrayIcon icon)
{
    wanted = icon;
    if (!platform->add(with(icon)))
        return false;
    shown = icon;
    return true;
}

bool kelTrayIconMgr::updateIcon(TrayIcon icon)
{
    if (!platform->modifyIcon(with(icon)))
        return false;
    shown = icon;
    return true;
}

bool kelTrayIconMgr::removeIcon()
{
    wanted = nullptr;
    if (!platform->remove(with(shown)))
        return false;
    shown = nullptr;
    return true;
}

void kelTrayIconMgr::showAgain()
{
    if (shown && !updateIcon(shown))
        showIcon(shown);
    else if (isRefused())
        showIcon(wanted);
}

bool kelTrayIconMgr::retryRefused()
{
    if (isRefused())
        showIcon(wanted);
    return shown != nullptr;
}
