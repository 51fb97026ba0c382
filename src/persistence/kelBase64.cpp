#include "persistence/kelBase64.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char padding = '=';
constexpr std::uint8_t notInAlphabet = 0xFF;

constexpr std::array<std::uint8_t, 256> makeDecodeTable()
{
    std::array<std::uint8_t, 256> table{};
    table.fill(notInAlphabet);
    for (std::size_t index = 0; index < alphabet.size(); ++index)
        table[static_cast<unsigned char>(alphabet[index])] = static_cast<std::uint8_t>(index);
    return table;
}

constexpr std::array<std::uint8_t, 256> decodeTable = makeDecodeTable();

char sextet(std::uint32_t group, int shift)
{
    return alphabet[(group >> shift) & 0x3F];
}

} // namespace

std::string kelBase64Encode(std::span<const std::uint8_t> bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t taken = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = std::uint32_t{bytes[at]} << 16;
        if (taken > 1)
            group |= std::uint32_t{bytes[at + 1]} << 8;
        if (taken > 2)
            group |= bytes[at + 2];
        text += sextet(group, 18);
        text += sextet(group, 12);
        text += taken > 1 ? sextet(group, 6) : padding;
        text += taken > 2 ? sextet(group, 0) : padding;
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> kelBase64Decode(std::string_view text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t at = 0; at < text.size(); at += 4) {
        const bool lastGroup = at + 4 == text.size();
        // Only the last group may be padded, by one or two characters.
        std::size_t padded = 0;
        if (lastGroup)
            padded = text[at + 3] != padding ? 0 : text[at + 2] != padding ? 1 : 2;
        std::uint32_t group = 0;
        for (std::size_t index = 0; index < 4 - padded; ++index) {
            const std::uint8_t value = decodeTable[static_cast<unsigned char>(text[at + index])];
            if (value == notInAlphabet)
                return std::nullopt;
            group |= std::uint32_t{value} << (18 - 6 * index);
        }
        // Bits no byte holds must be zero, so each byte string has one text.
        if ((padded == 1 && (group & 0xFF) != 0) || (padded == 2 && (group & 0xFFFF) != 0))
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(group >> 16));
        if (padded < 2)
            bytes.push_back(static_cast<std::uint8_t>(group >> 8));
        if (padded < 1)
            bytes.push_back(static_cast<std::uint8_t>(group));
    }
    return bytes;
}
