#include "localization/LanguageFileDecoder.h"

#include <string>

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool startsWith(const std::string& bytes, const char* mark)
{
    return bytes.compare(0, std::char_traits<char>::length(mark), mark) == 0;
}

} // namespace

LanguageFileDecoder::LanguageFileDecoder(std::streambuf& bytes) : bytes(bytes), kind(detectEncoding())
{
}

LanguageFileDecoder::Encoding LanguageFileDecoder::detectEncoding()
{
    for (int i = 0; i < 3; ++i) {
        const int byte = bytes.sbumpc();
        if (byte == std::char_traits<char>::eof())
            break;
        lookedAt += static_cast<char>(byte);
    }
    if (startsWith(lookedAt, "\xEF\xBB\xBF")) {
        lookedAtUsed = 3;
        return Encoding::Utf8;
    }
    if (startsWith(lookedAt, "\xFF\xFE")) {
        lookedAtUsed = 2;
        return Encoding::Utf16LittleEndian;
    }
    if (startsWith(lookedAt, "\xFE\xFF")) {
        lookedAtUsed = 2;
        return Encoding::Utf16BigEndian;
    }
    return Encoding::Bytes;
}

int LanguageFileDecoder::takeByte()
{
    if (lookedAtUsed < lookedAt.size())
        return static_cast<unsigned char>(lookedAt[lookedAtUsed++]);
    const int byte = bytes.sbumpc();
    return byte == std::char_traits<char>::eof() ? -1 : byte;
}

int LanguageFileDecoder::peekByte()
{
    if (lookedAtUsed < lookedAt.size())
        return static_cast<unsigned char>(lookedAt[lookedAtUsed]);
    const int byte = bytes.sgetc();
    return byte == std::char_traits<char>::eof() ? -1 : byte;
}

std::optional<char32_t> LanguageFileDecoder::next()
{
    switch (kind) {
    case Encoding::Utf8:
        return nextUtf8();
    case Encoding::Utf16LittleEndian:
    case Encoding::Utf16BigEndian:
        return nextUtf16();
    case Encoding::Bytes:
        break;
    }
    const int byte = takeByte();
    if (byte < 0)
        return std::nullopt;
    return static_cast<char32_t>(byte);
}

// A malformed sequence gives one U+FFFD for its valid start and leaves the
// byte that broke it to begin the next character, so a stray byte never
// swallows the line feed after it.
std::optional<char32_t> LanguageFileDecoder::nextUtf8()
{
    const int lead = takeByte();
    if (lead < 0)
        return std::nullopt;
    if (lead < 0x80)
        return static_cast<char32_t>(lead);

    int continuations = 0;
    char32_t codePoint = 0;
    // The first continuation byte's range rules out overlong forms, encoded
    // surrogates and values beyond U+10FFFF.
    int low = 0x80;
    int high = 0xBF;
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
        return replacementCharacter;
    }

    for (int i = 0; i < continuations; ++i) {
        const int following = peekByte();
        if (following < low || following > high)
            return replacementCharacter;
        takeByte();
        codePoint = (codePoint << 6) | static_cast<char32_t>(following & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return codePoint;
}

std::optional<char32_t> LanguageFileDecoder::nextUtf16Unit()
{
    const int first = takeByte();
    const int second = takeByte();
    if (first < 0 || second < 0)
        return std::nullopt;
    if (kind == Encoding::Utf16LittleEndian)
        return static_cast<char32_t>(first | (second << 8));
    return static_cast<char32_t>((first << 8) | second);
}

std::optional<char32_t> LanguageFileDecoder::nextUtf16()
{
    std::optional<char32_t> unit = pendingUnit ? pendingUnit : nextUtf16Unit();
    pendingUnit.reset();
    if (!unit)
        return std::nullopt;
    if (isLowSurrogate(*unit))
        return replacementCharacter;
    if (!isHighSurrogate(*unit))
        return unit;

    const std::optional<char32_t> low = nextUtf16Unit();
    if (!low || !isLowSurrogate(*low)) {
        pendingUnit = low;
        return replacementCharacter;
    }
    return 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00);
}
