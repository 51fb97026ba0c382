#include "persistence/kelPugiXmlSerializationInputStream.h"

#include "persistence/kelUtf8.h"
#include "persistence/kelXmlDoctypeGuard.h"
#include "persistence/kelXmlSourceBytes.h"

#include <utility>

namespace {

// Defaults plus: whitespace-only text kept (the files are written with
// xml:space="preserve"), and document type declarations kept as nodes so a
// declaration the byte scan missed is still seen and refused. Line breaks
// and tabs in attribute values become one blank each, as XML attribute
// normalisation (and MSXML) has it; entities other than the five predefined
// ones and character references are never expanded by pugixml, and nothing
// outside the bytes is ever read.
constexpr unsigned parseOptions = pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_doctype;

std::string utf8(const std::wstring& text)
{
    return kelWideToUtf8(text);
}

bool hasDoctypeNode(const pugi::xml_document& document)
{
    for (const auto& child : document.children()) {
        if (child.type() == pugi::node_doctype)
            return true;
    }
    return false;
}

// Both walks below go through pugixml's traversal, which follows parent and
// sibling links instead of recursing, so no nesting can exhaust the stack.

// Stops at the first element nested deeper than the limit. pugixml itself
// parses any depth, but the limit is the MSXML reader's too, so that both
// accept the same files.
class DepthLimit : public pugi::xml_tree_walker {
public:
    bool for_each(pugi::xml_node& node) override
    {
        // depth() counts from 0 below the element the walk starts at.
        return node.type() != pugi::node_element || depth() + 2 <= kelXmlMaxElementDepth;
    }
};

class TextCollector : public pugi::xml_tree_walker {
public:
    bool for_each(pugi::xml_node& node) override
    {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            text += node.value();
        return true;
    }

    std::string text;
};

bool nestsTooDeep(pugi::xml_node root)
{
    DepthLimit limit;
    return !root.traverse(limit);
}

std::string descendantText(pugi::xml_node root)
{
    TextCollector collector;
    root.traverse(collector);
    return collector.text;
}

} // namespace

kelPugiXmlSerializationInputStream::kelPugiXmlSerializationInputStream(
    std::shared_ptr<const pugi::xml_document> document, pugi::xml_node node)
    : document(std::move(document)), node(node)
{
}

bool kelPugiXmlSerializationInputStream::bind(std::shared_ptr<std::istream> newSource)
{
    if (!newSource) {
        node = {};
        document.reset();
        source.reset();
        return true;
    }
    const auto bytes = kelReadAllBytes(*newSource);
    if (kelXmlHasDoctype(bytes))
        return false;
    auto parsed = parse(bytes);
    if (!parsed)
        return false;
    source = std::move(newSource);
    node = parsed->document_element();
    document = std::move(parsed);
    return true;
}

std::shared_ptr<const pugi::xml_document> kelPugiXmlSerializationInputStream::parse(std::string_view bytes)
{
    auto parsed = std::make_shared<pugi::xml_document>();
    const auto result = parsed->load_buffer(bytes.data(), bytes.size(), parseOptions, pugi::encoding_auto);
    const auto root = parsed->document_element();
    if (!result || !root || hasDoctypeNode(*parsed) || nestsTooDeep(root))
        return nullptr;
    return parsed;
}

std::shared_ptr<kelSerializationInputStream> kelPugiXmlSerializationInputStream::getChild(const std::wstring& name)
{
    const auto child = node.child(utf8(name).c_str());
    if (!child)
        return nullptr;
    return std::shared_ptr<kelPugiXmlSerializationInputStream>(new kelPugiXmlSerializationInputStream(document, child));
}

std::vector<std::shared_ptr<kelSerializationInputStream>> kelPugiXmlSerializationInputStream::getChildren(const std::wstring& name)
{
    std::vector<std::shared_ptr<kelSerializationInputStream>> found;
    // The range keeps a pointer to the name, so the name must outlive the loop.
    const auto key = utf8(name);
    for (const auto& child : node.children(key.c_str()))
        found.push_back(std::shared_ptr<kelPugiXmlSerializationInputStream>(new kelPugiXmlSerializationInputStream(document, child)));
    return found;
}

bool kelPugiXmlSerializationInputStream::readValue(const std::wstring& name, std::wstring& out, bool asAttribute)
{
    if (!node)
        return false;
    const auto key = utf8(name);
    if (asAttribute) {
        const auto attribute = node.attribute(key.c_str());
        if (!attribute)
            return false;
        out = kelUtf8ToWide(attribute.value());
        return true;
    }
    const auto element = node.child(key.c_str());
    if (!element)
        return false;
    out = kelUtf8ToWide(descendantText(element));
    return true;
}
