#include "system/kelDirectoryMaker.h"

namespace {

// The folder is treated as the directory part of a file inside it, so the
// limit is the one every settings file path has to meet.
const std::wstring dummyFileName = L"\\file.ext";

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

std::wstring::size_type nextSeparator(const std::wstring& path, std::wstring::size_type from)
{
    return path.find_first_of(L"\\/", from);
}

// Index of the first character that may need creating, or npos when a
// network path lacks its share: servers and shares cannot be created.
std::wstring::size_type creationStart(const std::wstring& path)
{
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        const auto afterServer = nextSeparator(path, 2);
        if (afterServer == std::wstring::npos)
            return std::wstring::npos;
        const auto afterShare = nextSeparator(path, afterServer + 1);
        return afterShare == std::wstring::npos ? std::wstring::npos : afterShare + 1;
    }
    if (path.size() >= 2 && path[1] == L':')
        return 3;
    return 0;
}

} // namespace

bool kelDirectoryMaker::createPath(const std::wstring& folder)
{
    const std::wstring file = folder + dummyFileName;
    if (file.size() >= maxPath)
        return false;
    const std::wstring directory = file.substr(0, file.find_last_of(L"\\/"));
    const auto start = creationStart(directory);
    if (start == std::wstring::npos)
        return false;
    for (auto at = nextSeparator(directory, start); at != std::wstring::npos; at = nextSeparator(directory, at + 1)) {
        // An absolute path's root and doubled separators name no new level.
        if (at == 0 || isSeparator(directory[at - 1]))
            continue;
        if (!createLevel(directory.substr(0, at)))
            return false;
    }
    if (directory.size() <= start || isSeparator(directory.back()))
        return true;
    return createLevel(directory);
}

bool kelDirectoryMaker::createLevel(const std::wstring& path)
{
    return createDirectory(path) != Outcome::failed;
}
