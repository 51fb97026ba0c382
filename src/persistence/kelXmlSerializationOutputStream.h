#pragma once

#include "persistence/kelSerializationBindings.h"
#include "persistence/kelSerializationStreams.h"

#include <map>
#include <memory>
#include <ostream>
#include <string>

// One XML element of a settings file being written. The whole tree is kept
// in memory and emitted in one pass at flush, as UTF-8 without whitespace,
// with attributes, element values and children each in the order of their
// names' UTF-16 code units, so the same object always gives the same bytes.
class kelXmlSerializationOutputStream : public kelSerializationOutputStream, public kelSerializationOutputStreamBinding {
public:
    // Adds xml:space="preserve" to this element.
    static constexpr int preserveSpace = 2;
    // Leaves out the XML declaration when this stream is flushed.
    static constexpr int omitDeclaration = 1;

    kelXmlSerializationOutputStream(std::wstring name, int options);
    ~kelXmlSerializationOutputStream() override;
    kelXmlSerializationOutputStream(const kelXmlSerializationOutputStream&) = delete;
    kelXmlSerializationOutputStream& operator=(const kelXmlSerializationOutputStream&) = delete;

    std::shared_ptr<kelSerializationOutputStream> createChild(const std::wstring& childName) override;
    bool writeValue(const std::wstring& valueName, const std::wstring& value, bool asAttribute) override;
    void clear() override;

    bool flush() override;

private:
    void writeElement(std::ostream& out) const;

    int options;
    std::wstring name;
    std::map<std::wstring, std::wstring> attributes;
    std::map<std::wstring, std::wstring> elementValues;
    std::multimap<std::wstring, std::shared_ptr<kelXmlSerializationOutputStream>> childStreams;
};
