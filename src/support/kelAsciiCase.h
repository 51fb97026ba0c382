#pragma once

#include <algorithm>
#include <string_view>

// Comparisons of names the program fixes itself ("mailto:", ".exe", ".loc")
// against text from outside, where only ASCII letters may differ in case.

inline wchar_t kelAsciiLower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// affix is given in lower case.
inline bool kelStartsWithAsciiNoCase(std::wstring_view text, std::wstring_view affix)
{
    return text.size() >= affix.size() && std::equal(affix.begin(), affix.end(), text.begin(),
                                                     [](wchar_t a, wchar_t t) { return a == kelAsciiLower(t); });
}

inline bool kelEndsWithAsciiNoCase(std::wstring_view text, std::wstring_view affix)
{
    return text.size() >= affix.size() && kelStartsWithAsciiNoCase(text.substr(text.size() - affix.size()), affix);
}
