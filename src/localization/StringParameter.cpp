#include "localization/StringParameter.h"

#include <string_view>

std::wstring withStringParameter(const std::wstring& text, const std::wstring& value)
{
    static constexpr std::wstring_view parameter = L"%s";
    const std::size_t at = text.find(parameter);
    if (at == std::wstring::npos)
        return text;
    return std::wstring(text).replace(at, parameter.size(), value);
}
