#pragma once

#include "automation/IconFiles.h"

// Files through GetFileAttributesW, CopyFileW and DeleteFileW, folders
// through the directory maker, icons through LoadImageW and DestroyIcon.
class WinIconFiles : public IconFiles {
public:
    bool createFolder(const std::wstring& folder) override;
    bool exists(const std::wstring& path) override;
    bool copy(const std::wstring& from, const std::wstring& to) override;
    void remove(const std::wstring& path) override;
    IconHandle loadIcon(const std::wstring& path, int width, int height) override;
    void destroyIcon(IconHandle icon) override;
};
