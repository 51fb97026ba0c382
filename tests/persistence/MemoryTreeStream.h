#pragma once

#include "persistence/kelSerializationStreams.h"

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// An in-memory tree of named nodes that is both readable and writable, so a
// test can write an object, inspect what it wrote, and read it back. Values
// keep their kind: an attribute and an element text of one name are distinct.
class MemoryTreeStream : public kelSerializationInputStream, public kelSerializationOutputStream {
public:
    std::shared_ptr<kelSerializationInputStream> getChild(const std::wstring& name) override;
    std::vector<std::shared_ptr<kelSerializationInputStream>> getChildren(const std::wstring& name) override;
    bool readValue(const std::wstring& name, std::wstring& out, bool asAttribute) override;

    std::shared_ptr<kelSerializationOutputStream> createChild(const std::wstring& name) override;
    bool writeValue(const std::wstring& name, const std::wstring& value, bool asAttribute) override;
    void clear() override;

    // Appends a child node regardless of the refusal switches.
    std::shared_ptr<MemoryTreeStream> addChild(const std::wstring& name);
    // The index-th child called name, or empty.
    std::shared_ptr<MemoryTreeStream> childAt(const std::wstring& name, std::size_t index = 0) const;
    std::size_t childCount(const std::wstring& name) const;
    std::optional<std::wstring> value(const std::wstring& name, bool asAttribute = true) const;

    // Plays a format that refuses new children or values.
    bool refuseChildren = false;
    bool refuseValues = false;

private:
    std::map<std::pair<std::wstring, bool>, std::wstring> values;
    std::vector<std::pair<std::wstring, std::shared_ptr<MemoryTreeStream>>> nodes;
};
