#pragma once

#include "localization/LanguageFile.h"
#include "persistence/StoreTestSupport.h"
#include "persistence/kelUtf8.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// Language file bytes built in the test, in each encoding a file may use,
// from text given as code points so that characters beyond the basic plane
// are written the same on both builds.
namespace LanguageFileBytes {

inline std::string utf8(const std::u32string& text)
{
    std::string bytes;
    for (const char32_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

inline std::string utf8WithBom(const std::u32string& text)
{
    return "\xEF\xBB\xBF" + utf8(text);
}

inline std::string utf16(const std::u32string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto unit = [&](char32_t value) {
        const char high = static_cast<char>(value >> 8);
        const char low = static_cast<char>(value & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    };
    for (const char32_t c : text) {
        if (c > 0xFFFF) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }
    return bytes;
}

// No byte order mark: one byte per character, which must fit a byte.
inline std::string singleBytes(const std::u32string& text)
{
    std::string bytes;
    for (const char32_t c : text)
        bytes += static_cast<char>(c);
    return bytes;
}

// The wide string the program holds for text on this build.
inline std::wstring wide(const std::u32string& text)
{
    return kelUtf8ToWide(utf8(text));
}

inline LanguageFileContent parse(const std::string& bytes,
                                 LanguageFileContent::Extent extent = LanguageFileContent::Extent::Whole)
{
    std::stringbuf buffer(bytes);
    return LanguageFileContent::read(buffer, extent);
}

} // namespace LanguageFileBytes

// A fresh temporary folder for one test's language files, removed with
// everything in it.
class LanguageScratchFolder {
public:
    // The folder as the program names paths.
    std::wstring path() const { return widePath(native()); }
    // name in UTF-8, which may hold a sub-folder.
    std::wstring file(const std::string& name) const { return widePath(native(name)); }

    std::wstring write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(native(name), std::ios::binary) << bytes;
        return file(name);
    }

    // A file in the usual shape: UTF-8 with a byte order mark, the header,
    // the marker and the strings.
    std::wstring writeLanguage(const std::string& fileName, const std::u32string& name, const std::u32string& id,
                               const std::u32string& strings) const
    {
        return write(fileName, LanguageFileBytes::utf8WithBom(name + U"\n" + name + U"\n" + id + U"\n" +
                                                              marker() + U"\n" + strings));
    }

    static std::u32string marker() { return U"{346C8741-79A9-4355-8129-A227067C9AD7}"; }

    const std::filesystem::path& native() const { return scratch.path(); }
    std::filesystem::path native(const std::string& name) const
    {
        return native() / std::filesystem::path(std::u8string(name.begin(), name.end()));
    }

private:
    static std::wstring widePath(const std::filesystem::path& path)
    {
        const std::u8string utf8 = path.u8string();
        return kelUtf8ToWide(std::string(utf8.begin(), utf8.end()));
    }

    StoreScratchFolder scratch;
};
