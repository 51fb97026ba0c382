#include "localization/LanguageFileLines.h"

namespace {

constexpr wchar_t lineFeed = L'\n';
constexpr wchar_t carriageReturn = L'\r';

// The decoder pairs surrogates, so a high one always has its partner next.
bool isHighSurrogate(wchar_t character)
{
    return character >= 0xD800 && character <= 0xDBFF;
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

// A part ends at a line feed, at the end of the file, or when it is full;
// a line that fills a part exactly leaves only its line feed, an empty line
// that is skipped.
std::optional<std::wstring> LanguageFileLines::nextPart()
{
    std::wstring part;
    for (;;) {
        const std::optional<wchar_t> character = nextCharacter();
        if (!character) {
            if (part.empty())
                return std::nullopt;
            return part;
        }
        if (*character == lineFeed)
            return part;
        if (isHighSurrogate(*character) && part.size() == maxPartLength - 1) {
            readAhead = character;
            return part;
        }
        part += *character;
        if (part.size() == maxPartLength)
            return part;
    }
}

std::optional<wchar_t> LanguageFileLines::nextDecoded()
{
    if (readAhead) {
        const std::optional<wchar_t> character = readAhead;
        readAhead.reset();
        return character;
    }
    return characters.next();
}

std::optional<wchar_t> LanguageFileLines::nextCharacter()
{
    const std::optional<wchar_t> character = nextDecoded();
    if (character != carriageReturn)
        return character;
    const std::optional<wchar_t> following = nextDecoded();
    if (following == lineFeed)
        return following;
    readAhead = following;
    return character;
}
