#include "ui/wingui/Font.h"

#include <utility>

namespace wingui {

Font::~Font()
{
    if (font)
        DeleteObject(font);
}

Font::Font(Font&& other) noexcept : font(std::exchange(other.font, nullptr))
{
}

Font& Font::operator=(Font&& other) noexcept
{
    if (this != &other) {
        if (font)
            DeleteObject(font);
        font = std::exchange(other.font, nullptr);
    }
    return *this;
}

Font Font::underlinedCopyOf(HWND window)
{
    auto source = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (!source || GetObjectW(source, sizeof(description), &description) != sizeof(description))
        return Font();
    description.lfUnderline = TRUE;
    return Font(CreateFontIndirectW(&description));
}

Font Font::create(const std::wstring& face, int height, int weight)
{
    return Font(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face.c_str()));
}

} // namespace wingui
