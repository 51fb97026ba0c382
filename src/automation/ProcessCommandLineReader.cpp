#include "automation/ProcessCommandLineReader.h"

#include "automation/ProcessApi.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace ProcessCommandLineReader {
namespace {

// Little-endian fields of a block read from the other process; offset and
// size are this file's constants, always inside the block.
template <class Field, std::size_t Size>
Field fieldAt(const std::array<std::uint8_t, Size>& block, std::size_t offset)
{
    static_assert(std::endian::native == std::endian::little, "the other process's fields are little-endian");
    Field value{};
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

// A block of the other process, complete up to the last field used; nothing
// when the address is null or fewer bytes than needed came back.
template <std::size_t Size>
std::optional<std::array<std::uint8_t, Size>> readBlock(OpenedProcess& process, std::uint64_t address,
                                                        std::size_t bytesNeeded)
{
    std::array<std::uint8_t, Size> block{};
    if (address == 0 || process.read(address, block) < bytesNeeded)
        return std::nullopt;
    return block;
}

// Characters come as little-endian UTF-16 units; an odd last byte is no character.
std::wstring textOf(const std::uint8_t* bytes, std::size_t byteCount)
{
    std::wstring text;
    text.reserve(byteCount / 2);
    for (std::size_t at = 0; at + 1 < byteCount; at += 2)
        text.push_back(static_cast<wchar_t>(bytes[at] | (bytes[at + 1] << 8)));
    return text;
}

} // namespace

std::optional<std::wstring> read(OpenedProcess& process)
{
    const auto environmentAddress = process.environmentBlockAddress();
    if (!environmentAddress)
        return std::nullopt;
    const auto environment =
        readBlock<environmentBlockSize>(process, *environmentAddress, parametersAddressOffset + sizeof(std::uint64_t));
    if (!environment)
        return std::nullopt;
    const auto parameters = readBlock<parametersSize>(
        process, fieldAt<std::uint64_t>(*environment, parametersAddressOffset), parametersSize);
    if (!parameters)
        return std::nullopt;

    const auto lengthInBytes = fieldAt<std::uint16_t>(*parameters, commandLineLengthOffset);
    const auto textAddress = fieldAt<std::uint64_t>(*parameters, commandLineBufferOffset);
    std::array<std::uint8_t, maxLength * sizeof(std::uint16_t)> characters{};
    if (lengthInBytes >= characters.size() || textAddress == 0)
        return std::nullopt;
    const std::size_t bytesRead = process.read(textAddress, std::span(characters).first(lengthInBytes));
    std::wstring text = textOf(characters.data(), std::min<std::size_t>(bytesRead, lengthInBytes));
    if (text.empty())
        return std::nullopt;
    return text;
}

} // namespace ProcessCommandLineReader
