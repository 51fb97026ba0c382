#include "system/kelWinDirectoryMaker.h"

#include <windows.h>

kelDirectoryMaker::Outcome kelWinDirectoryMaker::createDirectory(const std::wstring& path)
{
    if (CreateDirectoryW(path.c_str(), nullptr))
        return Outcome::created;
    return GetLastError() == ERROR_ALREADY_EXISTS ? Outcome::alreadyExists : Outcome::failed;
}
