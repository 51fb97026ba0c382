#include "app/FolderAppConfiguration.h"

#include "persistence/kelXmlInputStreamFactory.h"
#include "system/kelFolderAppDataFolder.h"

#include <utility>

FolderAppConfiguration::FolderAppConfiguration(std::wstring productName, std::wstring folder)
    : AppConfiguration(std::move(productName), std::make_shared<kelFolderAppDataFolder>(std::move(folder)))
{
}

std::shared_ptr<kelSerializationInputStream> FolderAppConfiguration::createInputStream()
{
    return makePlatformXmlInputStream();
}
