#pragma once

#include "system/kelAppDataFolderBase.h"

#include <string>

// A data folder chosen by its user rather than by the platform, for both
// kinds; made, with its parents, on first use.
class kelFolderAppDataFolder : public kelAppDataFolderBase {
public:
    explicit kelFolderAppDataFolder(std::wstring path);

    std::wstring folder(bool allUsers) override;

private:
    std::wstring path;
    bool created = false;
};
