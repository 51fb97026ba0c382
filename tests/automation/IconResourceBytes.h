#pragma once

#include "automation/IcoFileBuilder.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Icon group and icon image resources as a program file holds them, for
// tests to build and to damage.
struct IconResourceBytes {
    struct GroupEntry {
        std::uint8_t width = 0;
        std::uint8_t height = 0;
        std::uint8_t colorCount = 0;
        std::uint16_t planes = 1;
        std::uint16_t bitCount = 32;
        std::uint32_t bytesInResource = 0;
        std::uint16_t id = 0;
    };

    static void append(std::vector<std::uint8_t>& bytes, std::uint64_t value, std::size_t size)
    {
        for (std::size_t at = 0; at < size; ++at)
            bytes.push_back(static_cast<std::uint8_t>((value >> (8 * at)) & 0xFF));
    }

    static std::vector<std::uint8_t> group(const std::vector<GroupEntry>& entries)
    {
        std::vector<std::uint8_t> bytes;
        append(bytes, 0, 2);
        append(bytes, 1, 2);
        append(bytes, entries.size(), 2);
        for (const GroupEntry& entry : entries) {
            bytes.insert(bytes.end(), {entry.width, entry.height, entry.colorCount, 0});
            append(bytes, entry.planes, 2);
            append(bytes, entry.bitCount, 2);
            append(bytes, entry.bytesInResource, 4);
            append(bytes, entry.id, 2);
        }
        return bytes;
    }

    // A bitmap image: its 40-byte header (height counting the mask too) and pixel bytes.
    static std::vector<std::uint8_t> bitmap(std::int32_t width, std::int32_t height, std::uint16_t planes,
                                            std::uint16_t bitCount, std::size_t pixelBytes,
                                            std::uint32_t headerSize = 40)
    {
        std::vector<std::uint8_t> bytes;
        append(bytes, headerSize, 4);
        append(bytes, static_cast<std::uint32_t>(width), 4);
        append(bytes, static_cast<std::uint32_t>(height), 4);
        append(bytes, planes, 2);
        append(bytes, bitCount, 2);
        append(bytes, 0, 4);
        append(bytes, 0x1234, 4); // an image size the .ico file must not keep
        bytes.insert(bytes.end(), 16, 0);
        for (std::size_t pixel = 0; pixel < pixelBytes; ++pixel)
            bytes.push_back(static_cast<std::uint8_t>(0xA0 + pixel % 16));
        return bytes;
    }

    static std::vector<std::uint8_t> png(std::size_t bodyBytes)
    {
        std::vector<std::uint8_t> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        for (std::size_t at = 0; at < bodyBytes; ++at)
            bytes.push_back(static_cast<std::uint8_t>(at * 7));
        return bytes;
    }

    // Looks images up by id among exactly sized copies, so a read past the
    // end of one is a read past its allocation.
    static IcoFileBuilder::ImageById lookupIn(const std::map<std::uint16_t, std::vector<std::uint8_t>>& images)
    {
        return [&images](std::uint16_t id) -> std::optional<std::span<const std::uint8_t>> {
            const auto found = images.find(id);
            if (found == images.end())
                return std::nullopt;
            return std::span<const std::uint8_t>(found->second);
        };
    }

    static std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }
};
