#pragma once

#include "app/AppConfiguration.h"

#include <memory>
#include <string>

// Settings files in XML inside a folder the caller names.
class FolderAppConfiguration : public AppConfiguration {
public:
    FolderAppConfiguration(std::wstring productName, std::wstring folder);

    std::shared_ptr<kelSerializationInputStream> createInputStream() override;
    using AppConfiguration::createInputStream;
};
