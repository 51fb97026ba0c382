#pragma once

#include <streambuf>
#include <string>
#include <vector>

// The marker line that ends a language file's header.
inline constexpr wchar_t languageFileMarker[] = L"{346C8741-79A9-4355-8129-A227067C9AD7}";

// What a language file says, as read from its bytes. The header is the lines
// before the marker: the name, the native name and the language id in
// hexadecimal; a marker that comes early leaves the fields after it empty,
// lines between the id and the marker are ignored. Every line after the
// marker is one string, string number 0 first, kept as written (escapes are
// the reader's business). A file without a marker has no strings.
struct LanguageFileContent {
    enum class Extent { HeaderOnly, Whole };

    std::wstring name;
    std::wstring nativeName;
    int languageId = 0;
    std::vector<std::wstring> strings;

    // Any bytes are a language file: reading never fails, however malformed
    // the content. HeaderOnly stops right after the marker.
    static LanguageFileContent read(std::streambuf& bytes, Extent extent);
};
