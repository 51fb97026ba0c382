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
// source with DTD processing and external resolution switched off; any root
// name is accepted. A child stream holds its element, which keeps the
// document alive. COM must be initialised on the calling thread.
class kelMsXmlSerializationInputStream : public kelSerializationInputStream, public kelSerializationInputStreamBinding {
public:
    kelMsXmlSerializationInputStream() = default;

    bool bind(std::shared_ptr<std::istream> newSource) override;

    std::shared_ptr<kelSerializationInputStream> getChild(const std::wstring& name) override;
    std::vector<std::shared_ptr<kelSerializationInputStream>> getChildren(const std::wstring& name) override;
    bool readValue(const std::wstring& name, std::wstring& out, bool asAttribute) override;

private:
    explicit kelMsXmlSerializationInputStream(Microsoft::WRL::ComPtr<IXMLDOMNode> element);

    std::shared_ptr<std::istream> source;
    Microsoft::WRL::ComPtr<IXMLDOMNode> node;
};
