#pragma once

#include <cstddef>
#include <optional>
#include <streambuf>
#include <string>

// The characters of a language file, decoded in the encoding its first bytes
// announce: EF BB BF UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16
// big-endian, anything else one character per byte with the byte's value.
// The byte order mark itself is not a character. Characters come as the
// program's wide characters: UTF-16 units on Windows (a character beyond the
// basic plane as a surrogate pair), code points on the host. Whatever does
// not decode to a character (a malformed UTF-8 sequence, a lone surrogate)
// becomes U+FFFD; a last odd byte of a UTF-16 file is not half a character
// and is dropped.
class LanguageFileDecoder {
public:
    enum class Encoding { Bytes, Utf8, Utf16LittleEndian, Utf16BigEndian };

    // Reads the byte order mark, if any, from bytes.
    explicit LanguageFileDecoder(std::streambuf& bytes);
    LanguageFileDecoder(const LanguageFileDecoder&) = delete;
    LanguageFileDecoder& operator=(const LanguageFileDecoder&) = delete;

    Encoding encoding() const { return kind; }
    // The next wide character; nothing once the bytes are used up.
    std::optional<wchar_t> next();

private:
    Encoding detectEncoding();
    // The wide characters of the next character of the file into decoded;
    // false at the end.
    bool decodeNext();
    bool decodeUtf8();
    bool decodeUtf16();
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
    std::wstring decoded;
    std::size_t decodedUsed = 0;
};
