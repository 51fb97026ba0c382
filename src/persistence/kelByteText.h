#pragma once

#include <optional>
#include <string>

// Byte strings (the JSON state texts) carried in wide-string values one byte
// per character, so that every byte survives a save and a reload.
std::wstring widenBytes(const std::string& bytes);
// Nothing when a character does not fit one byte: cutting it to its low byte
// could turn it into a quote or brace that changes what the text means.
std::optional<std::string> narrowBytes(const std::wstring& text);
