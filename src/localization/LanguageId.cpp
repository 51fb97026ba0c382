#include "localization/LanguageId.h"

#include <cstdint>
#include <optional>

namespace {

constexpr std::uint64_t largestId = 0xFFFFFFFF;
constexpr int primaryLanguageMask = 0x3FF;

std::optional<unsigned> hexDigitValue(wchar_t character)
{
    if (character >= L'0' && character <= L'9')
        return character - L'0';
    if (character >= L'a' && character <= L'f')
        return character - L'a' + 10;
    if (character >= L'A' && character <= L'F')
        return character - L'A' + 10;
    return std::nullopt;
}

bool isBlank(wchar_t character)
{
    return character == L' ' || character == L'\t' || character == L'\r' || character == L'\n' ||
           character == L'\v' || character == L'\f';
}

} // namespace

int parseLanguageId(const std::wstring& text)
{
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    const bool hexPrefix = text.compare(at, 2, L"0x") == 0 || text.compare(at, 2, L"0X") == 0;
    if (hexPrefix && at + 2 < text.size() && hexDigitValue(text[at + 2]))
        at += 2;
    std::uint64_t value = 0;
    for (; at < text.size(); ++at) {
        const std::optional<unsigned> digit = hexDigitValue(text[at]);
        if (!digit)
            break;
        value = value * 16 + *digit;
        if (value > largestId)
            value = largestId;
    }
    auto id = static_cast<std::uint32_t>(value);
    if (negative)
        id = 0u - id;
    return static_cast<int>(id);
}

bool samePrimaryLanguage(int first, int second)
{
    const int primary = first & primaryLanguageMask;
    return primary != 0 && primary == (second & primaryLanguageMask);
}
