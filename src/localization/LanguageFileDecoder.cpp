#include "localization/LanguageFileDecoder.h"

#include "persistence/kelUtf8.h"

#include <string>

namespace {

constexpr std::size_t longestUtf8Sequence = 4;

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool isUtf8Continuation(int byte) { return byte >= 0x80 && byte <= 0xBF; }

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

std::optional<wchar_t> LanguageFileDecoder::next()
{
    if (decodedUsed == decoded.size()) {
        decoded.clear();
        decodedUsed = 0;
        if (!decodeNext())
            return std::nullopt;
    }
    return decoded[decodedUsed++];
}

bool LanguageFileDecoder::decodeNext()
{
    switch (kind) {
    case Encoding::Utf8:
        return decodeUtf8();
    case Encoding::Utf16LittleEndian:
    case Encoding::Utf16BigEndian:
        return decodeUtf16();
    case Encoding::Bytes:
        break;
    }
    const int byte = takeByte();
    if (byte < 0)
        return false;
    decoded += static_cast<wchar_t>(byte);
    return true;
}

// A lead byte with the continuation bytes after it is at most one character
// followed by stray bytes; the UTF-8 decoder judges it. A byte that cannot
// continue a sequence is left to start the next one, so a damaged sequence
// never swallows the line feed after it.
bool LanguageFileDecoder::decodeUtf8()
{
    const int lead = takeByte();
    if (lead < 0)
        return false;
    if (lead < 0x80) {
        decoded += static_cast<wchar_t>(lead);
        return true;
    }
    std::string sequence(1, static_cast<char>(lead));
    while (sequence.size() < longestUtf8Sequence && isUtf8Continuation(peekByte()))
        sequence += static_cast<char>(takeByte());
    decoded = kelUtf8ToWide(sequence);
    return true;
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

// The UTF-8 conversions pair the surrogates, turn a lone one into U+FFFD and
// give the program's own wide form. A high surrogate followed by anything
// but a low one leaves that unit to start the next character.
bool LanguageFileDecoder::decodeUtf16()
{
    const std::optional<char32_t> unit = pendingUnit ? pendingUnit : nextUtf16Unit();
    pendingUnit.reset();
    if (!unit)
        return false;
    std::wstring units(1, static_cast<wchar_t>(*unit));
    if (isHighSurrogate(*unit)) {
        const std::optional<char32_t> low = nextUtf16Unit();
        if (low && isLowSurrogate(*low))
            units += static_cast<wchar_t>(*low);
        else
            pendingUnit = low;
    }
    // The conversions end at a NUL, which only a lone zero unit can be here.
    decoded = *unit == 0 ? units : kelUtf8ToWide(kelWideToUtf8(units));
    return true;
}
