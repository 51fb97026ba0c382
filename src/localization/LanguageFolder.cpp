#include "localization/LanguageFolder.h"

#include "persistence/kelUtf8.h"
#include "support/kelAsciiCase.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace {

std::wstring widePath(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return kelUtf8ToWide(std::string(utf8.begin(), utf8.end()));
}

bool isLanguageFileName(const std::wstring& name)
{
    return kelEndsWithAsciiNoCase(name, L".loc");
}

} // namespace

std::filesystem::path LanguageFolder::nativePath(const std::wstring& path)
{
    const std::string utf8 = kelWideToUtf8(path);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::vector<std::wstring> LanguageFolder::languageFiles(const std::wstring& folder)
{
    std::vector<std::filesystem::path> found;
    std::error_code error;
    std::filesystem::directory_iterator entries(nativePath(folder), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        if (entries->is_directory(typeError))
            continue;
        if (isLanguageFileName(widePath(entries->path().filename())))
            found.push_back(entries->path());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::wstring> paths;
    paths.reserve(found.size());
    for (const std::filesystem::path& path : found)
        paths.push_back(widePath(path));
    return paths;
}
