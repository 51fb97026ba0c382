#include "persistence/kelSerializationStreams.h"

#include <locale>
#include <sstream>

namespace {

// The stream reports a failed extraction through failbit; the field is only
// assigned afterwards, so a failure never leaves a half-converted value (the
// standard bool extraction stores true for "2" while failing).
template <class T>
bool parseText(const std::wstring& text, T& out)
{
    std::wistringstream stream(text);
    stream.imbue(std::locale::classic());
    T parsed{};
    stream >> parsed;
    if (stream.fail())
        return false;
    out = parsed;
    return true;
}

template <class T>
bool readTyped(kelSerializationInputStream& in, const std::wstring& name, T& out, bool asAttribute)
{
    std::wstring text;
    return in.readValue(name, text, asAttribute) && parseText(text, out);
}

template <class T>
bool writeTyped(kelSerializationOutputStream& out, const std::wstring& name, T value, bool asAttribute)
{
    std::wostringstream stream;
    stream.imbue(std::locale::classic());
    stream << value;
    return !stream.fail() && out.writeValue(name, stream.str(), asAttribute);
}

} // namespace

bool kelSerializationInputStream::read(const std::wstring& name, std::wstring& out, bool asAttribute)
{
    return readValue(name, out, asAttribute);
}

bool kelSerializationInputStream::read(const std::wstring& name, bool& out, bool asAttribute)
{
    return readTyped(*this, name, out, asAttribute);
}

bool kelSerializationInputStream::read(const std::wstring& name, int& out, bool asAttribute)
{
    return readTyped(*this, name, out, asAttribute);
}

bool kelSerializationInputStream::read(const std::wstring& name, unsigned& out, bool asAttribute)
{
    return readTyped(*this, name, out, asAttribute);
}

bool kelSerializationInputStream::read(const std::wstring& name, float& out, bool asAttribute)
{
    return readTyped(*this, name, out, asAttribute);
}

bool kelSerializationOutputStream::write(const std::wstring& name, const std::wstring& value, bool asAttribute)
{
    return writeValue(name, value, asAttribute);
}

bool kelSerializationOutputStream::write(const std::wstring& name, const wchar_t* value, bool asAttribute)
{
    return writeValue(name, value, asAttribute);
}

bool kelSerializationOutputStream::write(const std::wstring& name, bool value, bool asAttribute)
{
    return writeTyped(*this, name, value, asAttribute);
}

bool kelSerializationOutputStream::write(const std::wstring& name, int value, bool asAttribute)
{
    return writeTyped(*this, name, value, asAttribute);
}

bool kelSerializationOutputStream::write(const std::wstring& name, unsigned value, bool asAttribute)
{
    return writeTyped(*this, name, value, asAttribute);
}

bool kelSerializationOutputStream::write(const std::wstring& name, float value, bool asAttribute)
{
    return writeTyped(*this, name, value, asAttribute);
}
