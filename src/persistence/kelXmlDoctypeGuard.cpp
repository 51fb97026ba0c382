#include "persistence/kelXmlDoctypeGuard.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// The markup in a code unit width and byte order: each ASCII character
// padded with zero bytes before (big-endian) or after (little-endian) it.
std::string encodeAscii(std::string_view ascii, std::size_t unitWidth, bool bigEndian)
{
    std::string encoded;
    for (const char c : ascii) {
        if (bigEndian)
            encoded.append(unitWidth - 1, '\0');
        encoded.push_back(c);
        if (!bigEndian)
            encoded.append(unitWidth - 1, '\0');
    }
    return encoded;
}

} // namespace

bool kelXmlHasDoctype(std::string_view bytes)
{
    constexpr std::string_view markup = "<!DOCTYPE";
    static const std::array patterns{
        encodeAscii(markup, 1, false),
        encodeAscii(markup, 2, false),
        encodeAscii(markup, 2, true),
        encodeAscii(markup, 4, false),
        encodeAscii(markup, 4, true),
    };
    return std::ranges::any_of(patterns, [bytes](const std::string& pattern) {
        return bytes.find(pattern) != std::string_view::npos;
    });
}
