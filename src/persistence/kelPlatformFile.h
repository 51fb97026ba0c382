#pragma once

#include <string>

// The few file operations a safe replacement needs, each done by the
// platform's own calls so that "on disk" means what it says.
namespace kelPlatformFile {

// The whole content of path; false if it cannot be opened or read.
bool readAll(const std::wstring& path, std::string& bytes);
// Creates or truncates path, writes bytes, forces them to the disk and closes
// the file; true only when every step succeeded.
bool writeDurably(const std::wstring& path, const std::string& bytes);
// Puts source in place of target in one step, so that target is at every
// instant either its old or its new content, and makes the change durable.
bool replaceDurably(const std::wstring& source, const std::wstring& target);

} // namespace kelPlatformFile
