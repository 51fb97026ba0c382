#include "app/AppConfiguration.h"

#include "persistence/kelXmlSerializationOutputStream.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <utility>

AppConfiguration::AppConfiguration(std::wstring productName, std::shared_ptr<kelAppDataFolderBase> dataFolder)
    : product(std::move(productName)), folder(std::move(dataFolder))
{
}

std::shared_ptr<kelSerializationOutputStream> AppConfiguration::createOutputStream()
{
    return std::make_shared<kelXmlSerializationOutputStream>(rootElementName(product),
                                                             kelXmlSerializationOutputStream::preserveSpace);
}

std::shared_ptr<kelSerializationInputStream> AppConfiguration::createInputStream(const std::wstring&)
{
    return createInputStream();
}

std::wstring AppConfiguration::rootElementName(const std::wstring& productName)
{
    std::wstring name;
    std::copy_if(productName.begin(), productName.end(), std::back_inserter(name),
                 [](wchar_t c) { return std::iswalpha(static_cast<std::wint_t>(c)) || std::iswdigit(static_cast<std::wint_t>(c)); });
    return name.empty() ? L"root" : name;
}
