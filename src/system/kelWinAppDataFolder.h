#pragma once

#include "system/kelAppDataFolderBase.h"

#include <string>

// The product's folder inside the platform's application-data folder, under
// the vendor's folder when a vendor is named.
class kelWinAppDataFolder : public kelAppDataFolderBase {
public:
    kelWinAppDataFolder(std::wstring product, std::wstring vendor);

    std::wstring folder(bool allUsers) override;

private:
    std::wstring locate(bool allUsers) const;

    std::wstring product;
    std::wstring vendor;
    std::wstring userFolder;
    std::wstring commonFolder;
};
