#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

// Turns an icon group resource of a program file, together with the icon
// image resources it names, into the bytes of an .ico file. Every count,
// size and offset comes from the program file, which may be truncated or
// crafted: each is checked against the bytes actually loaded, and anything
// that does not fit fails the whole icon.
namespace IcoFileBuilder {

// The group resource: a 6-byte header (reserved, type, image count) and one
// 14-byte entry per image, ending in the id of its image resource.
inline constexpr std::size_t groupHeaderSize = 6;
inline constexpr std::size_t groupEntrySize = 14;
// The .ico file: the same 6-byte header and one 16-byte entry per image,
// ending in the image's offset in the file.
inline constexpr std::size_t fileEntrySize = 16;
// An image is a bitmap information header and its bits, or a PNG file.
inline constexpr std::size_t bitmapHeaderSize = 40;

// The bytes of the image resource with that id; nothing when there is none.
// The bytes must stay valid until build returns.
using ImageById = std::function<std::optional<std::span<const std::uint8_t>>(std::uint16_t id)>;

// The .ico file's bytes, with the images in group order; nothing when the
// group or any of its images is malformed or missing.
std::optional<std::string> build(std::span<const std::uint8_t> group, const ImageById& imageById);

} // namespace IcoFileBuilder
