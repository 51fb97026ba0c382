#include "persistence/kelJson2SerializationStreams.h"

#include "persistence/kelSerializable.h"
#include "persistence/kelSerializationIoStream.h"
#include "persistence/kelUtf8.h"

#include <algorithm>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace {

// Tokenizes strings the way the parser does, so the count of open brackets
// outside strings is never lower than the depth the parser would reach.
bool nestingWithin(const std::string& text, std::size_t limit)
{
    std::size_t depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit)
                return false;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return true;
}

bool onlyWhiteSpace(std::string::const_iterator first, std::string::const_iterator last)
{
    return std::all_of(first, last, [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

bool parseDocument(const std::string& text, picojson::value& out)
{
    if (!nestingWithin(text, kelJson2SerializationInputStream::maxNesting))
        return false;
    std::string error;
    try {
        const auto end = picojson::parse(out, text.begin(), text.end(), &error);
        // Every tree this format writes is an object or a bare list; a lone
        // scalar is no node tree at all.
        const bool isTree = out.is<picojson::object>() || out.is<picojson::array>();
        if (error.empty() && isTree && onlyWhiteSpace(end, text.end()))
            return true;
    } catch (const std::overflow_error&) {
        // The parser throws for a number beyond the range of double; to the
        // reader that is one more malformed document.
    }
    out = picojson::value();
    return false;
}

} // namespace

kelJson2SerializationOutputStream::~kelJson2SerializationOutputStream()
{
    if (!sink || isFlushed())
        return;
    // A destructor has no one to report to; a failed write here is what an
    // explicit flush would have reported.
    try {
        flush();
    } catch (...) {
    }
}

std::shared_ptr<kelSerializationOutputStream> kelJson2SerializationOutputStream::createChild(const std::wstring& name)
{
    if (values.count(kelWideToUtf8(name)) != 0)
        return nullptr;
    auto child = std::make_shared<kelJson2SerializationOutputStream>();
    childStreams.emplace(name, child);
    return child;
}

bool kelJson2SerializationOutputStream::writeValue(const std::wstring& name, const std::wstring& value, bool asAttribute)
{
    values[kelWideToUtf8(name)] = picojson::value(kelWideToUtf8(value));
    return true;
}

void kelJson2SerializationOutputStream::clear()
{
    values.clear();
    childStreams.clear();
}

bool kelJson2SerializationOutputStream::flush()
{
    return flushTree([this](std::ostream& out) {
        toJson().serialize(std::ostreambuf_iterator<char>(out));
        return true;
    });
}

picojson::value kelJson2SerializationOutputStream::toJson() const
{
    picojson::object node = values;
    const bool hasValues = !node.empty();
    for (auto group = childStreams.begin(); group != childStreams.end();) {
        const auto groupEnd = childStreams.upper_bound(group->first);
        const std::string name = kelWideToUtf8(group->first);
        if (std::next(group) == groupEnd) {
            node[name] = group->second->toJson();
        } else {
            picojson::array items;
            for (auto item = group; item != groupEnd; ++item)
                items.push_back(item->second->toJson());
            const bool standsAlone = !hasValues && group == childStreams.begin() && groupEnd == childStreams.end();
            if (standsAlone)
                return picojson::value(std::move(items));
            node[name] = picojson::value(std::move(items));
        }
        group = groupEnd;
    }
    return picojson::value(std::move(node));
}

kelJson2SerializationInputStream::kelJson2SerializationInputStream(picojson::value node) : value(std::move(node)) {}

bool kelJson2SerializationInputStream::bind(std::shared_ptr<std::istream> newSource)
{
    value = picojson::value();
    source = std::move(newSource);
    if (!source)
        return true;
    const std::string text{std::istreambuf_iterator<char>(*source), std::istreambuf_iterator<char>()};
    return parseDocument(text, value);
}

const picojson::value* kelJson2SerializationInputStream::member(const std::wstring& name) const
{
    if (!value.is<picojson::object>())
        return nullptr;
    const auto& members = value.get<picojson::object>();
    const auto found = members.find(kelWideToUtf8(name));
    return found == members.end() ? nullptr : &found->second;
}

std::shared_ptr<kelSerializationInputStream> kelJson2SerializationInputStream::getChild(const std::wstring& name)
{
    const picojson::value* found = member(name);
    if (!found)
        return nullptr;
    return std::make_shared<kelJson2SerializationInputStream>(*found);
}

std::vector<std::shared_ptr<kelSerializationInputStream>> kelJson2SerializationInputStream::getChildren(const std::wstring& name)
{
    const picojson::value* list = value.is<picojson::array>() ? &value : member(name);
    if (!list)
        return {};
    if (!list->is<picojson::array>())
        return {std::make_shared<kelJson2SerializationInputStream>(*list)};
    std::vector<std::shared_ptr<kelSerializationInputStream>> children;
    for (const auto& item : list->get<picojson::array>())
        children.push_back(std::make_shared<kelJson2SerializationInputStream>(item));
    return children;
}

bool kelJson2SerializationInputStream::readValue(const std::wstring& name, std::wstring& out, bool asAttribute)
{
    const picojson::value* found = member(name);
    if (!found || !found->is<std::string>())
        return false;
    out = kelUtf8ToWide(found->get<std::string>());
    return true;
}

std::string saveToJsonString(kelSerializable& object)
{
    auto sink = std::make_shared<std::ostringstream>();
    kelJson2SerializationOutputStream stream;
    stream.bind(sink);
    kelSerializationIoStream io(stream);
    if (!object.serialize(io, 0) || !stream.flush()) {
        stream.bind(nullptr);
        return {};
    }
    return sink->str();
}

bool loadFromJsonString(kelSerializable& object, const std::string& text)
{
    kelJson2SerializationInputStream stream;
    // An object made only of lists reads an empty tree successfully, so a text
    // that does not parse must fail here rather than load as an empty state.
    if (!stream.bind(std::make_shared<std::istringstream>(text)))
        return false;
    kelSerializationIoStream io(stream);
    return object.serialize(io, 0);
}
