#pragma once

#include "app/AppConfiguration.h"

#include <memory>
#include <string>

// Settings files in XML inside the user's application-data folder, read
// through the platform's XML parser.
class WinAppConfiguration : public AppConfiguration {
public:
    WinAppConfiguration(std::wstring productName, std::wstring vendorName);

    std::shared_ptr<kelSerializationInputStream> createInputStream() override;
    using AppConfiguration::createInputStream;
};
