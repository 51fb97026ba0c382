#pragma once

#include <string>

// Program paths as the per-application features compare and show them.
namespace ProgramPathText {

// The part after the last backslash; without one, after the last slash;
// without either, the whole path.
std::wstring fileName(const std::wstring& path);

// Whether two paths name the same file for the file system, which does
// not tell letter cases apart.
bool samePath(const std::wstring& path, const std::wstring& other);

} // namespace ProgramPathText
