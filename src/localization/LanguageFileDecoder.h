#pragma once

#include <cstddef>
#include <optional>
#include <streambuf>
#include <string>

// The characters of a language file, decoded in the encoding its first bytes
// announce: EF BB BF UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16
// big-endian, anything else one character per byte with the byte's value.
// The byte order mark itself is not a character. Whatever does not decode to
// a character (a malformed UTF-8 sequence, a lone surrogate) becomes U+FFFD,
// so every input yields valid characters; a last odd byte of a UTF-16 file
// is not half a character and is dropped.
class LanguageFileDecoder {
public:
    enum class Encoding { Bytes, Utf8, Utf16LittleEndian, Utf16BigEndian };

    // Reads the byte order mark, if any, from bytes.
    explicit LanguageFileDecoder(std::streambuf& bytes);
    LanguageFileDecoder(const LanguageFileDecoder&) = delete;
    LanguageFileDecoder& operator=(const LanguageFileDecoder&) = delete;

    Encoding encoding() const { return kind; }
    // The next character; nothing once the bytes are used up.
    std::optional<char32_t> next();

private:
    Encoding detectEncoding();
    std::optional<char32_t> nextUtf8();
    std::optional<char32_t> nextUtf16();
    std::optional<char32_t> nextUtf16Unit();
    // -1 at the end. Bytes looked at while searching for a byte order mark
    // that was not one come first.
    int takeByte();
    int peekByte();

    std::streambuf& bytes;
    std::string lookedAt;
    std::size_t lookedAtUsed = 0;
    Encoding kind;
    // A UTF-16 unit read after a high surrogate that turned out not to pair with it.
    std::optional<char32_t> pendingUnit;
};
