#include "localization/LanguageFileLines.h"

namespace {

constexpr char32_t lineFeed = U'\n';
constexpr char32_t carriageReturn = U'\r';

// A 16-bit wchar_t holds characters beyond the basic plane as surrogate pairs.
std::size_t wideLength(char32_t character)
{
    return sizeof(wchar_t) == 2 && character > 0xFFFF ? 2 : 1;
}

void appendWide(std::wstring& text, char32_t character)
{
    if (wideLength(character) == 2) {
        const char32_t offset = character - 0x10000;
        text += static_cast<wchar_t>(0xD800 + (offset >> 10));
        text += static_cast<wchar_t>(0xDC00 + (offset & 0x3FF));
    } else {
        text += static_cast<wchar_t>(character);
    }
}

} // namespace

std::optional<std::wstring> LanguageFileLines::next()
{
    for (;;) {
        std::optional<std::wstring> part = nextPart();
        if (!part)
            return std::nullopt;
        if (!part->empty() && (*part)[0] != L';')
            return part;
    }
}

std::optional<std::wstring> LanguageFileLines::nextPart()
{
    std::wstring part;
    for (;;) {
        const std::optional<char32_t> character = nextCharacter();
        if (!character) {
            if (part.empty())
                return std::nullopt;
            return part;
        }
        if (*character == lineFeed)
            return part;
        if (part.size() + wideLength(*character) > maxPartLength) {
            readAhead = character;
            return part;
        }
        appendWide(part, *character);
    }
}

std::optional<char32_t> LanguageFileLines::nextDecoded()
{
    if (readAhead) {
        const std::optional<char32_t> character = readAhead;
        readAhead.reset();
        return character;
    }
    return characters.next();
}

std::optional<char32_t> LanguageFileLines::nextCharacter()
{
    const std::optional<char32_t> character = nextDecoded();
    if (character != carriageReturn)
        return character;
    const std::optional<char32_t> following = nextDecoded();
    if (following == lineFeed)
        return following;
    readAhead = following;
    return character;
}
