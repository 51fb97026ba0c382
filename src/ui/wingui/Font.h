#pragma once

#include <windows.h>

#include <string>

namespace wingui {

// Owns one GDI font; deleted with the object. The windows that use a font
// must not outlive it.
class Font {
public:
    Font() = default;
    explicit Font(HFONT owned) : font(owned) {}
    ~Font();
    Font(Font&& other) noexcept;
    Font& operator=(Font&& other) noexcept;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT handle() const { return font; }
    explicit operator bool() const { return font != nullptr; }

    // The font a window draws with (its WM_GETFONT answer), underlined, as
    // links show it. Empty when the window has no font.
    static Font underlinedCopyOf(HWND window);
    // A font of the face with the height in logical units and the weight;
    // every other parameter is 0 and the character set the default.
    static Font create(const std::wstring& face, int height, int weight);

private:
    HFONT font = nullptr;
};

} // namespace wingui
