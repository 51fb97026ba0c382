#include "app/kelAppDataFolderBase.h"

std::wstring kelAppDataFolderBase::filePath(const std::wstring& name, bool allUsers)
{
    return folder(allUsers) + separator + name;
}
