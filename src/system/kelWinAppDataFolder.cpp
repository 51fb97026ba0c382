#include "system/kelWinAppDataFolder.h"

#include "system/kelWinDirectoryMaker.h"

#include <utility>

#include <shlobj.h>
#include <windows.h>

kelWinAppDataFolder::kelWinAppDataFolder(std::wstring product, std::wstring vendor)
    : product(std::move(product)), vendor(std::move(vendor))
{
}

std::wstring kelWinAppDataFolder::folder(bool allUsers)
{
    std::wstring& cached = allUsers ? commonFolder : userFolder;
    if (cached.empty())
        cached = locate(allUsers);
    return cached;
}

std::wstring kelWinAppDataFolder::locate(bool allUsers) const
{
    wchar_t base[MAX_PATH] = {};
    const int kind = allUsers ? CSIDL_COMMON_APPDATA : CSIDL_APPDATA;
    if (FAILED(SHGetFolderPathW(nullptr, kind, nullptr, SHGFP_TYPE_CURRENT, base)))
        return {};
    std::wstring path = std::wstring(base) + L'\\';
    if (!vendor.empty())
        path += vendor + L'\\';
    path += product;
    // A folder that cannot be made is not reported here: the saves into it fail
    // and are retried by later passes.
    kelWinDirectoryMaker().createPath(path);
    return path;
}
