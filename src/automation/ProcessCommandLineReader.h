#pragma once

#include <cstddef>
#include <optional>
#include <string>

class OpenedProcess;

// Reads the command line another process was started with from its memory:
// the process environment block names the process parameters, which hold
// the command line as a counted wide string. Every address and length comes
// from the other process, so each read is bounded by a buffer of fixed size
// here and only the bytes actually read are used.
namespace ProcessCommandLineReader {

inline constexpr std::size_t environmentBlockSize = 712;
inline constexpr std::size_t parametersAddressOffset = 0x20;
inline constexpr std::size_t parametersSize = 128;
// The counted string: 16-bit length in bytes, 16-bit maximum length, then
// (aligned) the 64-bit address of its characters.
inline constexpr std::size_t commandLineLengthOffset = 0x70;
inline constexpr std::size_t commandLineBufferOffset = 0x78;
// A command line of this many characters or more is not read at all.
inline constexpr std::size_t maxLength = 260;

// The command line, or nothing when any read fails, the text is empty or it
// is maxLength characters or longer.
std::optional<std::wstring> read(OpenedProcess& process);

} // namespace ProcessCommandLineReader
