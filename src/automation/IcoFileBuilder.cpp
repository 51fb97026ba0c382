#include "automation/IcoFileBuilder.h"

#include <array>
#include <cstring>
#include <limits>
#include <vector>

namespace IcoFileBuilder {
namespace {

constexpr std::array<std::uint8_t, 8> pngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Where the bitmap header keeps the size of the image's bits, which the .ico
// file leaves 0 as the platform's own icon files do.
constexpr std::size_t bitmapImageSizeOffset = 20;

// Reads a little-endian field; the caller has checked that it lies inside bytes.
template <class Field>
Field fieldAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    Field value = 0;
    for (std::size_t at = 0; at < sizeof(Field); ++at)
        value |= static_cast<Field>(static_cast<Field>(bytes[offset + at]) << (8 * at));
    return value;
}

void append(std::string& out, std::uint64_t value, std::size_t size)
{
    for (std::size_t at = 0; at < size; ++at)
        out.push_back(static_cast<char>((value >> (8 * at)) & 0xFF));
}

// A directory entry's one-byte width or height: 256 and anything that does
// not fit is written as 0, the format's "256 or more".
std::uint8_t dimensionByte(std::int64_t pixels)
{
    return pixels > 0 && pixels < 256 ? static_cast<std::uint8_t>(pixels) : 0;
}

struct Image {
    std::span<const std::uint8_t> bytes;
    // The .ico directory entry without the size and offset.
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    bool isBitmap = false;
};

bool isPng(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= pngSignature.size() &&
           std::memcmp(bytes.data(), pngSignature.data(), pngSignature.size()) == 0;
}

// A PNG image carries no bitmap header; its entry comes from the group's
// entry and its bytes are written unchanged.
Image pngImage(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> groupEntry)
{
    return {bytes,
            groupEntry[0],
            groupEntry[1],
            groupEntry[2],
            fieldAt<std::uint16_t>(groupEntry, 4),
            fieldAt<std::uint16_t>(groupEntry, 6),
            false};
}

// A bitmap image's entry comes from its own header, whose height counts the
// colour bits and the mask together.
std::optional<Image> bitmapImage(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < bitmapHeaderSize)
        return std::nullopt;
    const auto headerSize = fieldAt<std::uint32_t>(bytes, 0);
    if (headerSize < bitmapHeaderSize || headerSize > bytes.size())
        return std::nullopt;
    Image image;
    image.bytes = bytes;
    image.width = dimensionByte(static_cast<std::int32_t>(fieldAt<std::uint32_t>(bytes, 4)));
    image.height = dimensionByte(static_cast<std::int32_t>(fieldAt<std::uint32_t>(bytes, 8)) / 2);
    image.planes = fieldAt<std::uint16_t>(bytes, 12);
    image.bitCount = fieldAt<std::uint16_t>(bytes, 14);
    const std::uint32_t bitsPerPixel = std::uint32_t{image.planes} * image.bitCount;
    image.colorCount = bitsPerPixel < 8 ? static_cast<std::uint8_t>(1u << bitsPerPixel) : 0;
    image.isBitmap = true;
    return image;
}

std::optional<std::vector<Image>> imagesOf(std::span<const std::uint8_t> group, const ImageById& imageById)
{
    if (group.size() < groupHeaderSize + groupEntrySize)
        return std::nullopt;
    const std::size_t count = fieldAt<std::uint16_t>(group, 4);
    if (count == 0 || count > (group.size() - groupHeaderSize) / groupEntrySize)
        return std::nullopt;
    std::vector<Image> images;
    images.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        const auto entry = group.subspan(groupHeaderSize + index * groupEntrySize, groupEntrySize);
        const auto bytes = imageById(fieldAt<std::uint16_t>(entry, 12));
        if (!bytes)
            return std::nullopt;
        const auto image = isPng(*bytes) ? std::optional<Image>(pngImage(*bytes, entry)) : bitmapImage(*bytes);
        if (!image)
            return std::nullopt;
        images.push_back(*image);
    }
    return images;
}

// The whole file must be addressable by the 32-bit sizes and offsets of its directory.
bool fitsTheDirectory(const std::vector<Image>& images)
{
    std::uint64_t total = groupHeaderSize + fileEntrySize * images.size();
    for (const Image& image : images)
        total += image.bytes.size();
    return total <= std::numeric_limits<std::uint32_t>::max();
}

void appendImageBytes(std::string& out, const Image& image)
{
    const std::size_t start = out.size();
    out.append(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size());
    if (image.isBitmap)
        std::memset(out.data() + start + bitmapImageSizeOffset, 0, sizeof(std::uint32_t));
}

} // namespace

std::optional<std::string> build(std::span<const std::uint8_t> group, const ImageById& imageById)
{
    const auto images = imagesOf(group, imageById);
    if (!images || !fitsTheDirectory(*images))
        return std::nullopt;
    std::string out;
    append(out, 0, 2);
    append(out, 1, 2);
    append(out, images->size(), 2);
    std::uint64_t offset = groupHeaderSize + fileEntrySize * images->size();
    for (const Image& image : *images) {
        out.push_back(static_cast<char>(image.width));
        out.push_back(static_cast<char>(image.height));
        out.push_back(static_cast<char>(image.colorCount));
        out.push_back(0);
        append(out, image.planes, 2);
        append(out, image.bitCount, 2);
        append(out, image.bytes.size(), 4);
        append(out, offset, 4);
        offset += image.bytes.size();
    }
    for (const Image& image : *images)
        appendImageBytes(out, image);
    return out;
}

} // namespace IcoFileBuilder
