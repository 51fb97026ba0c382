#include "persistence/MemoryTreeStream.h"

#include <algorithm>

std::shared_ptr<kelSerializationInputStream> MemoryTreeStream::getChild(const std::wstring& name)
{
    return childAt(name);
}

std::vector<std::shared_ptr<kelSerializationInputStream>> MemoryTreeStream::getChildren(const std::wstring& name)
{
    std::vector<std::shared_ptr<kelSerializationInputStream>> found;
    for (const auto& [nodeName, node] : nodes) {
        if (nodeName == name)
            found.push_back(node);
    }
    return found;
}

bool MemoryTreeStream::readValue(const std::wstring& name, std::wstring& out, bool asAttribute)
{
    const auto text = value(name, asAttribute);
    if (!text)
        return false;
    out = *text;
    return true;
}

std::shared_ptr<kelSerializationOutputStream> MemoryTreeStream::createChild(const std::wstring& name)
{
    if (refuseChildren)
        return nullptr;
    return addChild(name);
}

bool MemoryTreeStream::writeValue(const std::wstring& name, const std::wstring& value, bool asAttribute)
{
    if (refuseValues)
        return false;
    values[{name, asAttribute}] = value;
    return true;
}

void MemoryTreeStream::clear()
{
    values.clear();
    nodes.clear();
}

std::shared_ptr<MemoryTreeStream> MemoryTreeStream::addChild(const std::wstring& name)
{
    auto node = std::make_shared<MemoryTreeStream>();
    nodes.emplace_back(name, node);
    return node;
}

std::shared_ptr<MemoryTreeStream> MemoryTreeStream::childAt(const std::wstring& name, std::size_t index) const
{
    for (const auto& [nodeName, node] : nodes) {
        if (nodeName == name && index-- == 0)
            return node;
    }
    return nullptr;
}

std::size_t MemoryTreeStream::childCount(const std::wstring& name) const
{
    return std::ranges::count_if(nodes, [&name](const auto& entry) { return entry.first == name; });
}

std::optional<std::wstring> MemoryTreeStream::value(const std::wstring& name, bool asAttribute) const
{
    const auto found = values.find({name, asAttribute});
    if (found == values.end())
        return std::nullopt;
    return found->second;
}
