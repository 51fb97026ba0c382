#include "persistence/kelWinMsXmlSerializationInputStream.h"

#include "persistence/kelXmlDoctypeGuard.h"
#include "persistence/kelXmlSourceBytes.h"
#include "support/kelWinBstr.h"
#include "support/kelWinVariant.h"

#include <algorithm>
#include <limits>
#include <utility>

#include <objbase.h>
#include <ocidl.h>
#include <ole2.h>
#include <oleauto.h>

// mingw's msxml2.h gives these interfaces no uuid for ComPtr::As to find.
__CRT_UUID_DECL(IXMLDOMDocument2, 0x2933BF95, 0x7B36, 0x11D2, 0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60)
__CRT_UUID_DECL(IXMLDOMNode, 0x2933BF80, 0x7B36, 0x11D2, 0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60)

using Microsoft::WRL::ComPtr;

namespace {

// The classic DOMDocument class; mingw's msxml2.h names it but does not define it.
constexpr CLSID domDocumentClass = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

using ParserProperty = kelMsXmlSerializationInputStream::ParserProperty;

// A settings file may never make the parser fetch or expand anything. A
// parser that refuses any part of this would load without that protection,
// so a refusal fails the load. External resolution and validation are set
// through their own calls because MSXML 3.0 knows them only as those.
bool lockDownParser(IXMLDOMDocument2& document, const std::vector<ParserProperty>& properties)
{
    if (FAILED(document.put_async(VARIANT_FALSE)) || FAILED(document.put_validateOnParse(VARIANT_FALSE)) ||
        FAILED(document.put_resolveExternals(VARIANT_FALSE)))
        return false;
    return std::ranges::all_of(properties, [&document](const ParserProperty& property) {
        const kelWinBstr name(property.name);
        return SUCCEEDED(document.setProperty(name.get(), kelWinVariant::flag(property.value).get()));
    });
}

ComPtr<IXMLDOMDocument2> createDocument(const std::vector<ParserProperty>& properties)
{
    ComPtr<IUnknown> object;
    if (FAILED(CoCreateInstance(domDocumentClass, nullptr, CLSCTX_ALL, IID_IUnknown, &object)))
        return nullptr;
    if (FAILED(OleRun(object.Get())))
        return nullptr;
    ComPtr<IXMLDOMDocument2> document;
    if (FAILED(object.As(&document)) || !lockDownParser(*document.Get(), properties))
        return nullptr;
    return document;
}

ComPtr<IStream> memoryStreamOver(const std::string& bytes)
{
    if (bytes.size() > std::numeric_limits<ULONG>::max())
        return nullptr;
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return nullptr;
    ULONG written = 0;
    if (FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) || written != bytes.size())
        return nullptr;
    if (FAILED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr)))
        return nullptr;
    return stream;
}

// Whether an element lies more than kelXmlMaxElementDepth levels deep, the
// root counting as 1. MSXML 3.0 sets no depth limit of its own, and Wine's
// refuses the MaxElementDepth property; the walk follows sibling and parent
// links, so no nesting can exhaust the stack.
bool nestsTooDeep(IXMLDOMNode& root)
{
    ComPtr<IXMLDOMNode> current(&root);
    int depth = 1;
    while (true) {
        ComPtr<IXMLDOMNode> next;
        if (current->get_firstChild(&next) == S_OK && next) {
            ++depth;
        } else {
            for (; depth > 1; --depth) {
                if (current->get_nextSibling(&next) == S_OK && next)
                    break;
                ComPtr<IXMLDOMNode> parent;
                if (current->get_parentNode(&parent) != S_OK || !parent)
                    return true;
                current = parent;
            }
            if (depth == 1)
                return false;
        }
        current = next;
        DOMNodeType type = NODE_INVALID;
        if (depth > kelXmlMaxElementDepth && SUCCEEDED(current->get_nodeType(&type)) && type == NODE_ELEMENT)
            return true;
    }
}

ComPtr<IXMLDOMNode> selectFirst(IXMLDOMNode& parent, const std::wstring& pattern)
{
    const kelWinBstr query(pattern);
    ComPtr<IXMLDOMNode> found;
    if (parent.selectSingleNode(query.get(), &found) != S_OK)
        return nullptr;
    return found;
}

} // namespace

kelMsXmlSerializationInputStream::kelMsXmlSerializationInputStream(ComPtr<IXMLDOMNode> element)
    : node(std::move(element))
{
}

const std::vector<ParserProperty>& kelMsXmlSerializationInputStream::lockdownProperties()
{
    static const std::vector<ParserProperty> properties = {
        {L"ProhibitDTD", true},
    };
    return properties;
}

ComPtr<IXMLDOMNode> kelMsXmlSerializationInputStream::parse(const std::string& bytes,
                                                            const std::vector<ParserProperty>& properties)
{
    const auto document = createDocument(properties);
    const auto stream = memoryStreamOver(bytes);
    if (!document || !stream)
        return nullptr;
    ComPtr<IPersistStreamInit> persistence;
    if (FAILED(document.As(&persistence)) || persistence->Load(stream.Get()) != S_OK)
        return nullptr;
    // Wine's MSXML takes ProhibitDTD and ignores it, so a declaration that
    // reached the parser is refused here.
    ComPtr<IXMLDOMDocumentType> doctype;
    if (document->get_doctype(&doctype) == S_OK && doctype)
        return nullptr;
    ComPtr<IXMLDOMElement> root;
    ComPtr<IXMLDOMNode> rootNode;
    if (document->get_documentElement(&root) != S_OK || !root || FAILED(root.As(&rootNode)) ||
        nestsTooDeep(*rootNode.Get()))
        return nullptr;
    return rootNode;
}

bool kelMsXmlSerializationInputStream::bind(std::shared_ptr<std::istream> newSource)
{
    if (!newSource) {
        node.Reset();
        source.reset();
        return true;
    }
    const auto bytes = kelReadAllBytes(*newSource);
    if (kelXmlHasDoctype(bytes))
        return false;
    auto root = parse(bytes, lockdownProperties());
    if (!root)
        return false;
    source = std::move(newSource);
    node = std::move(root);
    return true;
}

std::shared_ptr<kelSerializationInputStream> kelMsXmlSerializationInputStream::getChild(const std::wstring& name)
{
    if (!node)
        return nullptr;
    auto child = selectFirst(*node.Get(), name);
    if (!child)
        return nullptr;
    return std::shared_ptr<kelMsXmlSerializationInputStream>(new kelMsXmlSerializationInputStream(std::move(child)));
}

std::vector<std::shared_ptr<kelSerializationInputStream>> kelMsXmlSerializationInputStream::getChildren(const std::wstring& name)
{
    std::vector<std::shared_ptr<kelSerializationInputStream>> found;
    if (!node)
        return found;
    const kelWinBstr query(name);
    ComPtr<IXMLDOMNodeList> list;
    long length = 0;
    if (node->selectNodes(query.get(), &list) != S_OK || !list || FAILED(list->get_length(&length)))
        return found;
    for (long i = 0; i < length; ++i) {
        ComPtr<IXMLDOMNode> child;
        if (list->get_item(i, &child) == S_OK && child)
            found.push_back(std::shared_ptr<kelMsXmlSerializationInputStream>(new kelMsXmlSerializationInputStream(std::move(child))));
    }
    return found;
}

bool kelMsXmlSerializationInputStream::readValue(const std::wstring& name, std::wstring& out, bool asAttribute)
{
    if (!node)
        return false;
    if (asAttribute) {
        ComPtr<IXMLDOMNamedNodeMap> attributes;
        ComPtr<IXMLDOMNode> attribute;
        const kelWinBstr attributeName(name);
        if (node->get_attributes(&attributes) != S_OK || !attributes
            || attributes->getNamedItem(attributeName.get(), &attribute) != S_OK || !attribute)
            return false;
        kelWinVariant value;
        if (FAILED(attribute->get_nodeValue(value.receive())) || value.get().vt != VT_BSTR)
            return false;
        out.assign(value.get().bstrVal, SysStringLen(value.get().bstrVal));
        return true;
    }
    const auto element = selectFirst(*node.Get(), name);
    if (!element)
        return false;
    kelWinBstr text;
    if (FAILED(element->get_text(text.receive())))
        return false;
    out = text.text();
    return true;
}
