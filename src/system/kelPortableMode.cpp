#include "system/kelPortableMode.h"

#include "persistence/kelPlatformFile.h"

#include <filesystem>
#include <system_error>

namespace {

// Written by the check alone and removed at once; no settings file has this name.
constexpr wchar_t probeName[] = L"write-check.tmp";

} // namespace

std::wstring kelPortableMode::dataFolder(const std::wstring& programFolder)
{
    const std::filesystem::path folder(programFolder);
    std::error_code error;
    const auto marker = std::filesystem::status(folder / markerName, error);
    if (!std::filesystem::exists(marker) || std::filesystem::is_directory(marker))
        return {};
    return (folder / dataFolderName).wstring();
}

bool kelPortableMode::canWriteIn(const std::wstring& folder)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder), error);
    if (error)
        return false;
    const std::filesystem::path probe = std::filesystem::path(folder) / probeName;
    if (!kelPlatformFile::writeDurably(probe.wstring(), "Vantrel"))
        return false;
    std::filesystem::remove(probe, error);
    return true;
}
