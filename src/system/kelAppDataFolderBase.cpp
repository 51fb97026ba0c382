#include "system/kelAppDataFolderBase.h"

std::wstring kelAppDataFolderBase::filePath(const std::wstring& name, bool allUsers)
{
    // Without a folder the name alone would land in the current folder, or
    // after the separator in the root of the current drive.
    const std::wstring base = folder(allUsers);
    return base.empty() ? std::wstring() : base + separator + name;
}
