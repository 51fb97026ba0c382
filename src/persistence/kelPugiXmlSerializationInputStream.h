#pragma once

#include "persistence/kelSerializationBindings.h"
#include "persistence/kelSerializationStreams.h"

#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

// Reads a settings file through pugixml, behaving as the MSXML reader does:
// any root name, encoding from the byte order mark or the declaration, line
// breaks in attribute values read as blanks, no document type declaration
// and no nesting deeper than kelXmlMaxElementDepth accepted. A child stream
// shares the parsed document.
class kelPugiXmlSerializationInputStream : public kelSerializationInputStream, public kelSerializationInputStreamBinding {
public:
    kelPugiXmlSerializationInputStream() = default;

    // Refuses bytes that hold a type declaration before they reach parse().
    bool bind(std::shared_ptr<std::istream> newSource) override;
    // The parser step of bind on its own: the parsed document, or empty when
    // the bytes hold no document, a type declaration or too deep a nesting.
    // It stands without the byte scan, for encodings the scan does not know.
    static std::shared_ptr<const pugi::xml_document> parse(std::string_view bytes);

    std::shared_ptr<kelSerializationInputStream> getChild(const std::wstring& name) override;
    std::vector<std::shared_ptr<kelSerializationInputStream>> getChildren(const std::wstring& name) override;
    bool readValue(const std::wstring& name, std::wstring& out, bool asAttribute) override;

private:
    kelPugiXmlSerializationInputStream(std::shared_ptr<const pugi::xml_document> document, pugi::xml_node node);

    std::shared_ptr<std::istream> source;
    std::shared_ptr<const pugi::xml_document> document;
    pugi::xml_node node;
};
