#include "persistence/kelPugiXmlSerializationInputStream.h"

#include "persistence/kelUtf8.h"
#include "persistence/kelXmlDoctypeGuard.h"
#include "persistence/kelXmlSourceBytes.h"

#include <utility>

namespace {

// Defaults plus: whitespace-only text kept (the files are written with
// xml:space="preserve"), and document type declarations kept as nodes so a
// declaration the byte check missed is still seen and refused. Line breaks
// and tabs in attribute values become one blank each, as XML attribute
// normalisation (and MSXML) has it; entities other than the five predefined
// ones and character references are never expanded by pugixml.
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

// Walks the descendants without recursion, so a deeply nested hostile file
// cannot exhaust the stack.
std::string descendantText(pugi::xml_node root)
{
    std::string text;
    auto current = root.first_child();
    while (current && current != root) {
        if (current.type() == pugi::node_pcdata || current.type() == pugi::node_cdata)
            text += current.value();
        if (current.first_child()) {
            current = current.first_child();
            continue;
        }
        while (current != root && !current.next_sibling())
            current = current.parent();
        if (current != root)
            current = current.next_sibling();
    }
    return text;
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
    auto parsed = std::make_shared<pugi::xml_document>();
    const auto result = parsed->load_buffer(bytes.data(), bytes.size(), parseOptions, pugi::encoding_auto);
    const auto root = parsed->document_element();
    if (!result || !root || hasDoctypeNode(*parsed))
        return false;
    source = std::move(newSource);
    document = std::move(parsed);
    node = root;
    return true;
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
