#pragma once

#include <windows.h>

namespace wingui {

// Owns one icon; destroyed with the object.
class Icon {
public:
    Icon() = default;
    explicit Icon(HICON owned) : icon(owned) {}
    ~Icon();
    Icon(Icon&& other) noexcept;
    Icon& operator=(Icon&& other) noexcept;
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    HICON handle() const { return icon; }
    explicit operator bool() const { return icon != nullptr; }

    // An icon resource at size × size pixels: the image of that size if the
    // resource has one, else a larger one scaled down (which stays sharper
    // than a smaller one scaled up). Empty when the resource is missing.
    static Icon load(HINSTANCE instance, int resourceId, int size);

private:
    HICON icon = nullptr;
};

} // namespace wingui
