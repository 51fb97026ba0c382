#include "persistence/kelByteText.h"

#include <algorithm>
#include <cstdint>

std::wstring widenBytes(const std::string& bytes)
{
    std::wstring wide;
    wide.reserve(bytes.size());
    for (const char byte : bytes)
        wide.push_back(static_cast<unsigned char>(byte));
    return wide;
}

std::optional<std::string> narrowBytes(const std::wstring& text)
{
    const auto beyondByte = [](wchar_t c) { return static_cast<std::uint32_t>(c) > 0xff; };
    if (std::any_of(text.begin(), text.end(), beyondByte))
        return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size());
    for (const wchar_t c : text)
        bytes.push_back(static_cast<char>(c));
    return bytes;
}
