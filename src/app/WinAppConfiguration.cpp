#include "app/WinAppConfiguration.h"

#include "persistence/kelXmlInputStreamFactory.h"
#include "system/kelWinAppDataFolder.h"

#include <utility>

WinAppConfiguration::WinAppConfiguration(std::wstring productName, std::wstring vendorName)
    : AppConfiguration(productName, std::make_shared<kelWinAppDataFolder>(productName, std::move(vendorName)))
{
}

std::shared_ptr<kelSerializationInputStream> WinAppConfiguration::createInputStream()
{
    return makePlatformXmlInputStream();
}
