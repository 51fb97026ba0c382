#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Base64 with the standard alphabet and "=" padding, as binary blobs travel
// inside the JSON state texts.
std::string kelBase64Encode(std::span<const std::uint8_t> bytes);

// Accepts only the exact form kelBase64Encode writes: a length that is a
// multiple of four, alphabet characters only (no white space), padding only
// at the end and unused bits of the last group zero. Anything else is empty,
// so a damaged text is never half decoded.
std::optional<std::vector<std::uint8_t>> kelBase64Decode(std::string_view text);
