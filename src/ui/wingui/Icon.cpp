#include "ui/wingui/Icon.h"

#include <utility>

namespace wingui {

namespace {

using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// Looked up at run time: it is in version 6 of the common controls only, and
// missing from the import libraries we build with.
LoadIconWithScaleDownFunction loadIconWithScaleDown()
{
    static const auto function = reinterpret_cast<LoadIconWithScaleDownFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "LoadIconWithScaleDown")));
    return function;
}

} // namespace

Icon::~Icon()
{
    if (icon)
        DestroyIcon(icon);
}

Icon::Icon(Icon&& other) noexcept : icon(std::exchange(other.icon, nullptr))
{
}

Icon& Icon::operator=(Icon&& other) noexcept
{
    if (this != &other) {
        if (icon)
            DestroyIcon(icon);
        icon = std::exchange(other.icon, nullptr);
    }
    return *this;
}

Icon Icon::load(HINSTANCE instance, int resourceId, int size)
{
    HICON loaded = nullptr;
    if (auto scaleDown = loadIconWithScaleDown();
        scaleDown && SUCCEEDED(scaleDown(instance, MAKEINTRESOURCEW(resourceId), size, size, &loaded)))
        return Icon(loaded);
    return Icon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

} // namespace wingui
