#include "system/kelAppVersion.h"

#include "system/kelTextScan.h"

#include <climits>
#include <cstddef>
#include <optional>

namespace {

bool isDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

std::size_t digitsEnd(const std::wstring& text, std::size_t position)
{
    while (position < text.size() && isDigit(text[position]))
        ++position;
    return position;
}

// A date such as 12/31/2020 in front of the version, with the blanks after it.
void skipLeadingDate(const std::wstring& text, std::size_t& position)
{
    std::size_t cursor = position;
    for (int field = 0; field < 3; ++field) {
        const std::size_t end = digitsEnd(text, cursor);
        if (end == cursor)
            return;
        cursor = end;
        if (field < 2) {
            if (cursor == text.size() || text[cursor] != L'/')
                return;
            ++cursor;
        }
    }
    position = cursor;
    kelSkipBlanks(text, position);
}

// The number at position, which must hold at least one digit; empty when it
// does not fit an int.
std::optional<kelAppVersion::Part> readPart(const std::wstring& text, std::size_t begin, std::size_t end)
{
    kelAppVersion::Part part;
    std::size_t position = begin;
    while (position + 1 < end && text[position] == L'0') {
        ++part.leadingZeros;
        ++position;
    }
    for (; position < end; ++position) {
        const int digit = text[position] - L'0';
        if (part.value > (INT_MAX - digit) / 10)
            return std::nullopt;
        part.value = part.value * 10 + digit;
    }
    return part;
}

} // namespace

kelAppVersion::kelAppVersion(std::initializer_list<int> numbers)
{
    for (int number : numbers)
        parts.push_back(Part{number, 0});
    dropTrailingZeroParts();
}

bool kelAppVersion::parse(const std::wstring& text)
{
    parts.clear();
    suffix.clear();
    std::size_t position = 0;
    kelSkipBlanks(text, position);
    skipLeadingDate(text, position);
    if (position < text.size() && (text[position] == L'V' || text[position] == L'v'))
        ++position;
    while (true) {
        kelSkipBlanks(text, position);
        const std::size_t end = digitsEnd(text, position);
        if (end == position)
            break;
        const auto part = readPart(text, position, end);
        if (!part) {
            parts.clear();
            return false;
        }
        parts.push_back(*part);
        position = end;
        kelSkipBlanks(text, position);
        if (position < text.size() && (text[position] == L',' || text[position] == L'.'))
            ++position;
    }
    if (parts.size() < 2)
        return false;
    suffix = kelWithoutTrailingBlanks(text.substr(position));
    dropTrailingZeroParts();
    return true;
}

void kelAppVersion::dropTrailingZeroParts()
{
    if (parts.size() <= 3)
        return;
    while (parts.size() > 2 && parts.back().value == 0)
        parts.pop_back();
}

std::wstring kelAppVersion::toString() const
{
    std::size_t shown = parts.size();
    while (shown > 2 && parts[shown - 1].value == 0)
        --shown;
    std::wstring text;
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0)
            text += L'.';
        text.append(static_cast<std::size_t>(parts[i].leadingZeros), L'0');
        text += std::to_wstring(parts[i].value);
    }
    return text + suffix;
}
