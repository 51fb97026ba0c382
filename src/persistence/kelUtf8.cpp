#include "persistence/kelUtf8.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;
constexpr char32_t lastCodePoint = 0x10FFFF;

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool isSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// wchar_t is signed on some platforms; a negative unit must not pass for a
// small code point.
char32_t unitAt(const std::wstring& wide, std::size_t index)
{
    if constexpr (sizeof(wchar_t) == 2)
        return static_cast<std::uint16_t>(wide[index]);
    else
        return static_cast<std::uint32_t>(wide[index]);
}

void appendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

void appendWide(std::wstring& out, char32_t codePoint)
{
    if (sizeof(wchar_t) == 2 && codePoint > 0xFFFF) {
        const char32_t offset = codePoint - 0x10000;
        out += static_cast<wchar_t>(0xD800 + (offset >> 10));
        out += static_cast<wchar_t>(0xDC00 + (offset & 0x3FF));
    } else {
        out += static_cast<wchar_t>(codePoint);
    }
}

// One decoded UTF-8 sequence: its code point (U+FFFD when malformed) and how
// many bytes it took. A malformed sequence consumes only its valid prefix
// (at least one byte), so the byte that broke it starts the next sequence.
struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

Decoded decodeUtf8(const std::string& text, std::size_t start)
{
    const auto byteAt = [&](std::size_t index) { return static_cast<unsigned char>(text[index]); };
    const unsigned char lead = byteAt(start);
    if (lead < 0x80)
        return {lead, 1};

    std::size_t continuations = 0;
    char32_t codePoint = 0;
    // The first continuation byte's range rules out overlong forms, encoded
    // surrogates and values beyond U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuations = 2;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuations = 3;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {replacementCharacter, 1};
    }

    for (std::size_t i = 1; i <= continuations; ++i) {
        if (start + i >= text.size())
            return {replacementCharacter, i};
        const unsigned char next = byteAt(start + i);
        if (next < low || next > high)
            return {replacementCharacter, i};
        codePoint = (codePoint << 6) | (next & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return {codePoint, continuations + 1};
}

} // namespace

std::string kelWideToUtf8(const std::wstring& wide)
{
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t unit = unitAt(wide, i);
        if (unit == 0)
            break;
        if (isHighSurrogate(unit) && i + 1 < wide.size() && isLowSurrogate(unitAt(wide, i + 1))) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (unitAt(wide, i + 1) - 0xDC00);
            ++i;
        } else if (isSurrogate(unit) || unit > lastCodePoint) {
            unit = replacementCharacter;
        }
        appendUtf8(out, unit);
    }
    return out;
}

std::wstring kelUtf8ToWide(const std::string& utf8)
{
    std::wstring out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size() && utf8[i] != '\0';) {
        const Decoded decoded = decodeUtf8(utf8, i);
        appendWide(out, decoded.codePoint);
        i += decoded.length;
    }
    return out;
}
