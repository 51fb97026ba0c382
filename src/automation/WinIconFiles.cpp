#include "automation/WinIconFiles.h"

#include "system/kelWinDirectoryMaker.h"

#include <windows.h>

bool WinIconFiles::createFolder(const std::wstring& folder)
{
    return kelWinDirectoryMaker().createPath(folder);
}

bool WinIconFiles::exists(const std::wstring& path)
{
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool WinIconFiles::copy(const std::wstring& from, const std::wstring& to)
{
    return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void WinIconFiles::remove(const std::wstring& path)
{
    DeleteFileW(path.c_str());
}

IconHandle WinIconFiles::loadIcon(const std::wstring& path, int width, int height)
{
    return static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, width, height, LR_LOADFROMFILE));
}

void WinIconFiles::destroyIcon(IconHandle icon)
{
    DestroyIcon(icon);
}

std::shared_ptr<IconFiles> IconFiles::real()
{
    return std::make_shared<WinIconFiles>();
}
