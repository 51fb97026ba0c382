#include "persistence/kelXmlSourceBytes.h"

#include <array>

std::string kelReadAllBytes(std::istream& source)
{
    std::string bytes;
    std::array<char, 16384> chunk{};
    while (source) {
        source.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        bytes.append(chunk.data(), static_cast<std::size_t>(source.gcount()));
    }
    return bytes;
}
