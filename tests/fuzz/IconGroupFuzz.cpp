// Feeds arbitrary bytes to the .ico builder as an icon group and its icon
// images, each copied into an allocation of its exact size so that the
// sanitizer stops any read past what a program file held. The input is a
// 16-bit group length, the group, then images as 16-bit length and bytes,
// the n-th image answering to the id n. Whatever file comes out must hold
// together: its directory names images that lie inside it, in order.

#include "automation/IcoFileBuilder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Input {
    const std::uint8_t* at;
    std::size_t left;

    // The next length-prefixed chunk, cut to what is left.
    Bytes chunk()
    {
        if (left < 2) {
            left = 0;
            return {};
        }
        std::size_t size = at[0] | (at[1] << 8);
        at += 2;
        left -= 2;
        size = size < left ? size : left;
        Bytes bytes(at, at + size);
        at += size;
        left -= size;
        return bytes;
    }
};

std::uint32_t fieldAt(const std::string& bytes, std::size_t offset, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t at = 0; at < size; ++at)
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + at])) << (8 * at);
    return value;
}

void checkConsistent(const std::string& file)
{
    if (file.size() < 6)
        std::abort();
    const std::size_t count = fieldAt(file, 4, 2);
    std::uint64_t offset = 6 + 16 * count;
    if (count == 0 || file.size() < offset)
        std::abort();
    for (std::size_t index = 0; index < count; ++index) {
        if (fieldAt(file, 6 + 16 * index + 12, 4) != offset)
            std::abort();
        offset += fieldAt(file, 6 + 16 * index + 8, 4);
    }
    if (offset != file.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input input{data, size};
    const Bytes group = input.chunk();
    std::map<std::uint16_t, Bytes> images;
    for (std::uint16_t id = 1; input.left > 0; ++id)
        images[id] = input.chunk();
    const auto imageById = [&images](std::uint16_t id) -> std::optional<std::span<const std::uint8_t>> {
        const auto found = images.find(id);
        if (found == images.end())
            return std::nullopt;
        return std::span<const std::uint8_t>(found->second);
    };
    const auto file = IcoFileBuilder::build(group, imageById);
    if (file)
        checkConsistent(*file);
    return 0;
}
