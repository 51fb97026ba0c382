#include "persistence/kelXmlSerializationOutputStream.h"

#include "persistence/kelUtf8.h"

#include <string_view>
#include <utility>

namespace {

// The code units XML 1.0 allows, taken one unit at a time: surrogates are
// dropped as well, so characters outside the Basic Multilingual Plane never
// reach the file.
bool isAllowedInXml(wchar_t unit)
{
    const auto code = static_cast<std::make_unsigned_t<wchar_t>>(unit);
    return code == 0x09 || code == 0x0A || code == 0x0D || (code >= 0x20 && code <= 0xD7FF)
        || (code >= 0xE000 && code <= 0xFFFD);
}

std::wstring_view entityFor(wchar_t unit)
{
    switch (unit) {
    case L'&': return L"&amp;";
    case L'<': return L"&lt;";
    case L'>': return L"&gt;";
    case L'\'': return L"&apos;";
    case L'"': return L"&quot;";
    default: return {};
    }
}

// Line breaks and tabs stay raw; the reader's attribute normalisation turns
// them into blanks, which is accepted for the single-line values stored here.
std::string escape(const std::wstring& text)
{
    std::wstring escaped;
    escaped.reserve(text.size());
    for (const wchar_t unit : text) {
        if (!isAllowedInXml(unit))
            continue;
        const auto entity = entityFor(unit);
        if (entity.empty())
            escaped.push_back(unit);
        else
            escaped.append(entity);
    }
    return kelWideToUtf8(escaped);
}

} // namespace

kelXmlSerializationOutputStream::kelXmlSerializationOutputStream(std::wstring name, int options)
    : options(options), name(std::move(name))
{
}

kelXmlSerializationOutputStream::~kelXmlSerializationOutputStream()
{
    // A destructor must not throw; a sink that fails shows it in its own state.
    try {
        flush();
    } catch (...) {
    }
}

std::shared_ptr<kelSerializationOutputStream> kelXmlSerializationOutputStream::createChild(const std::wstring& childName)
{
    auto child = std::make_shared<kelXmlSerializationOutputStream>(childName, 0);
    // A multimap inserts after the existing equal keys, which keeps lists in creation order.
    childStreams.emplace(childName, child);
    return child;
}

bool kelXmlSerializationOutputStream::writeValue(const std::wstring& valueName, const std::wstring& value, bool asAttribute)
{
    (asAttribute ? attributes : elementValues)[valueName] = value;
    return true;
}

void kelXmlSerializationOutputStream::clear()
{
    attributes.clear();
    elementValues.clear();
    childStreams.clear();
}

bool kelXmlSerializationOutputStream::flush()
{
    return flushTree([this](std::ostream& out) {
        if ((options & omitDeclaration) == 0)
            out << R"(<?xml version="1.0" encoding="UTF-8"?>)";
        writeElement(out);
        return !out.fail();
    });
}

void kelXmlSerializationOutputStream::writeElement(std::ostream& out) const
{
    const auto tag = escape(name);
    out << '<' << tag;
    if ((options & preserveSpace) != 0)
        out << R"( xml:space="preserve")";
    for (const auto& [attributeName, value] : attributes)
        out << ' ' << escape(attributeName) << "=\"" << escape(value) << '"';
    if (elementValues.empty() && childStreams.empty()) {
        out << " />";
        return;
    }
    out << '>';
    for (const auto& [valueName, value] : elementValues) {
        const auto valueTag = escape(valueName);
        out << '<' << valueTag << '>' << escape(value) << "</" << valueTag << '>';
    }
    for (const auto& entry : childStreams)
        entry.second->writeElement(out);
    out << "</" << tag << '>';
}
