#include "system/kelFolderAppDataFolder.h"

#include <filesystem>
#include <system_error>
#include <utility>

kelFolderAppDataFolder::kelFolderAppDataFolder(std::wstring path) : path(std::move(path)) {}

std::wstring kelFolderAppDataFolder::folder(bool)
{
    if (!created) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(path), error);
        created = !error;
    }
    return path;
}
