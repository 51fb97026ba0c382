#pragma once

#include "persistence/kelSerializationBindings.h"
#include "persistence/kelSerializationStreams.h"

#include <istream>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

// Reads a settings file through pugixml, behaving as the MSXML reader does:
// any root name, encoding from the byte order mark or the declaration, line
// breaks in attribute values read as blanks, and no document type
// declaration accepted. A child stream shares the parsed document.
class kelPugiXmlSerializationInputStream : public kelSerializationInputStream, public kelSerializationInputStreamBinding {
public:
    kelPugiXmlSerializationInputStream() = default;

    bool bind(std::shared_ptr<std::istream> newSource) override;

    std::shared_ptr<kelSerializationInputStream> getChild(const std::wstring& name) override;
    std::vector<std::shared_ptr<kelSerializationInputStream>> getChildren(const std::wstring& name) override;
    bool readValue(const std::wstring& name, std::wstring& out, bool asAttribute) override;

private:
    kelPugiXmlSerializationInputStream(std::shared_ptr<const pugi::xml_document> document, pugi::xml_node node);

    std::shared_ptr<std::istream> source;
    std::shared_ptr<const pugi::xml_document> document;
    pugi::xml_node node;
};
