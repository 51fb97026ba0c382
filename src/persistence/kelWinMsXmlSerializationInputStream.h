#pragma once

#include "persistence/kelSerializationBindings.h"
#include "persistence/kelSerializationStreams.h"

#include <istream>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

// Reads a settings file through the MSXML DOM. Binding parses the whole
// source with DTDs prohibited and external resolution switched off, and
// refuses a document with a type declaration or nested deeper than
// kelXmlMaxElementDepth; any root name is accepted. A child stream holds its element,
// which keeps the document alive. COM must be initialised on the calling
// thread.
class kelMsXmlSerializationInputStream : public kelSerializationInputStream, public kelSerializationInputStreamBinding {
public:
    // A second-level property of the DOM document, set before it loads.
    struct ParserProperty {
        std::wstring name;
        bool value;
    };

    kelMsXmlSerializationInputStream() = default;

    // The properties every document is given: no DTD at all. Only those that
    // the classic DOMDocument (MSXML 3.0) and Wine's both know can be here,
    // since a refused one fails every load.
    static const std::vector<ParserProperty>& lockdownProperties();
    // The parser step of bind on its own: a document that is given the
    // properties parses the bytes. Empty when the document refuses any
    // property or any other part of its lockdown, when parsing fails, or
    // when the document has a type declaration or too deep a nesting. It
    // stands without the byte scan, for encodings the scan does not know.
    static Microsoft::WRL::ComPtr<IXMLDOMNode> parse(const std::string& bytes,
                                                     const std::vector<ParserProperty>& properties);

    // Refuses bytes that hold a type declaration before they reach parse().
    bool bind(std::shared_ptr<std::istream> newSource) override;

    std::shared_ptr<kelSerializationInputStream> getChild(const std::wstring& name) override;
    std::vector<std::shared_ptr<kelSerializationInputStream>> getChildren(const std::wstring& name) override;
    bool readValue(const std::wstring& name, std::wstring& out, bool asAttribute) override;

private:
    explicit kelMsXmlSerializationInputStream(Microsoft::WRL::ComPtr<IXMLDOMNode> element);

    std::shared_ptr<std::istream> source;
    Microsoft::WRL::ComPtr<IXMLDOMNode> node;
};
