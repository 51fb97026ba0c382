#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The simulated monitor's files are UTF-8 text; the platform speaks UTF-16.
std::wstring simWiden(std::string_view utf8);
std::string simNarrow(std::wstring_view utf16);

// The simulated monitor in a program rewrites its files while tests read
// them, from other processes. So every function here opens a file sharing
// it for reading, writing and deletion, and tries again for a moment when
// something that does not share it (a scanner, an editor) holds it.

// The whole file, without a leading UTF-8 byte order mark; nothing if it cannot be read.
std::optional<std::string> readSimTextFile(const std::filesystem::path& path);

// Writes a temporary companion first and swaps it in, so a reader never sees
// half a file, even when the writing process dies in between. A reader that
// has the file open does not keep it from being replaced.
bool replaceSimTextFile(const std::filesystem::path& path, std::string_view text);

bool appendSimTextLine(const std::filesystem::path& path, std::string_view line);
