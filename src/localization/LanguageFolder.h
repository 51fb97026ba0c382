#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The language files of a folder and the paths to open them by, the same on
// both builds: wide paths cross to the file system as UTF-8, which the
// standard library turns into the platform's own form.
namespace LanguageFolder {

// Full paths of the entries whose name ends in ".loc" (in any case, as the
// platform's file search matches it), folders excepted, sorted by name so
// that which file comes first does not depend on the file system. Empty when
// the folder is missing or cannot be listed.
std::vector<std::wstring> languageFiles(const std::wstring& folder);

std::filesystem::path nativePath(const std::wstring& path);

} // namespace LanguageFolder
