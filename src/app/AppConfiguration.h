#pragma once

#include "system/kelAppDataFolderBase.h"

#include <memory>
#include <string>

class kelSerializationInputStream;
class kelSerializationOutputStream;

// Names the folder the settings files live in and makes the streams that
// read and write them.
class AppConfiguration {
public:
    AppConfiguration(std::wstring productName, std::shared_ptr<kelAppDataFolderBase> dataFolder);
    virtual ~AppConfiguration() = default;
    AppConfiguration(const AppConfiguration&) = delete;
    AppConfiguration& operator=(const AppConfiguration&) = delete;

    virtual std::shared_ptr<kelSerializationInputStream> createInputStream() = 0;
    // Every settings file's root element carries the product's name.
    virtual std::shared_ptr<kelSerializationOutputStream> createOutputStream();
    // One format serves every file, so the file's name changes nothing.
    std::shared_ptr<kelSerializationInputStream> createInputStream(const std::wstring& fileName);

    const std::wstring& productName() const { return product; }
    kelAppDataFolderBase& dataFolder() const { return *folder; }

    // The product name kept to letters and digits, which every XML name
    // accepts; "root" when nothing is left.
    static std::wstring rootElementName(const std::wstring& productName);

private:
    std::wstring product;
    std::shared_ptr<kelAppDataFolderBase> folder;
};
