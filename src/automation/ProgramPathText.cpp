#include "automation/ProgramPathText.h"

#include <algorithm>
#include <cwctype>

namespace ProgramPathText {

std::wstring fileName(const std::wstring& path)
{
    auto separator = path.find_last_of(L'\\');
    if (separator == std::wstring::npos)
        separator = path.find_last_of(L'/');
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

bool samePath(const std::wstring& path, const std::wstring& other)
{
    return std::ranges::equal(path, other, [](wchar_t left, wchar_t right) {
        return std::towupper(static_cast<std::wint_t>(left)) == std::towupper(static_cast<std::wint_t>(right));
    });
}

} // namespace ProgramPathText
