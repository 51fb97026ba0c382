#pragma once

#include "localization/LanguageFileDecoder.h"

#include <cstddef>
#include <optional>
#include <string>

// The lines of a language file that count. The text is read as text files
// are on Windows, so a carriage return right before a line feed is dropped
// (any other one stays). A line longer than maxPartLength wide characters
// comes as several lines of at most that length, never ending inside a
// surrogate pair. Empty lines and lines whose first character is ";"
// (comments) are skipped; the line feed that ends a line is not part of it.
class LanguageFileLines {
public:
    static constexpr std::size_t maxPartLength = 4999;

    explicit LanguageFileLines(LanguageFileDecoder& characters) : characters(characters) {}

    // The next line that counts; nothing at the end of the file.
    std::optional<std::wstring> next();

private:
    std::optional<std::wstring> nextPart();
    std::optional<wchar_t> nextCharacter();
    std::optional<wchar_t> nextDecoded();

    LanguageFileDecoder& characters;
    // A character read ahead: the one after a carriage return, or the first
    // half of a surrogate pair that did not fit the part before.
    std::optional<wchar_t> readAhead;
};
