#pragma once

#include "persistence/kelSerializationBindings.h"
#include "persistence/kelSerializationStreams.h"

#include <picojson.h>

#include <cstddef>
#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class kelSerializable;

// Writes a node tree as compact JSON in which every value is a string. A list
// of one element becomes an object member, a node holding nothing but one
// list of two or more elements becomes a bare array.
class kelJson2SerializationOutputStream final : public kelSerializationOutputStream,
                                                public kelSerializationOutputStreamBinding {
public:
    kelJson2SerializationOutputStream() = default;
    // A bound stream that was never flushed writes its tree on the way out, so
    // an owner that forgets to flush still gets its text.
    ~kelJson2SerializationOutputStream() override;

    // Empty if a text value of that name was written before: one member cannot
    // be both.
    std::shared_ptr<kelSerializationOutputStream> createChild(const std::wstring& name) override;
    bool writeValue(const std::wstring& name, const std::wstring& value, bool asAttribute) override;
    void clear() override;

    bool flush() override;

    picojson::value toJson() const;

private:
    // Names and values in UTF-8; std::map keeps the members in the byte order
    // the text form needs.
    picojson::object values;
    std::multimap<std::wstring, std::shared_ptr<kelJson2SerializationOutputStream>> childStreams;
};

// Reads a node tree from JSON text. A list is accepted in all three shapes the
// writer produces: an object member, an array member, or a bare array.
class kelJson2SerializationInputStream final : public kelSerializationInputStream,
                                               public kelSerializationInputStreamBinding {
public:
    kelJson2SerializationInputStream() = default;
    explicit kelJson2SerializationInputStream(picojson::value node);

    // False for text that is not one complete JSON object or array, nested
    // deeper than maxNesting, or followed by anything but white space. A failed parse leaves
    // no tree at all, so no half-read document can pass for a valid one.
    bool bind(std::shared_ptr<std::istream> newSource) override;

    // Empty unless this node is an object with a member of that name.
    std::shared_ptr<kelSerializationInputStream> getChild(const std::wstring& name) override;
    std::vector<std::shared_ptr<kelSerializationInputStream>> getChildren(const std::wstring& name) override;
    // Only a string member is a value; a number or anything else fails.
    bool readValue(const std::wstring& name, std::wstring& out, bool asAttribute) override;

    // The parser, copying and destroying a parsed tree all recurse once per
    // nesting level, so the depth of a document is bounded before it is parsed.
    static constexpr std::size_t maxNesting = 64;

private:
    const picojson::value* member(const std::wstring& name) const;

    std::shared_ptr<std::istream> source;
    picojson::value value;
};

// The JSON text of object, or an empty string when the object fails to write itself.
std::string saveToJsonString(kelSerializable& object);
// Reads object from JSON text; false when the text is not a readable document
// or the object does not find what it needs in it.
bool loadFromJsonString(kelSerializable& object, const std::string& text);
