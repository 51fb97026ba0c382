#pragma once

#include <cstddef>
#include <string>

// The small scanning steps the command-line and version readers share. A
// blank is a space or a tab, the two characters that separate the words of
// a command line.
inline bool kelIsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

inline void kelSkipBlanks(const std::wstring& text, std::size_t& position)
{
    while (position < text.size() && kelIsBlank(text[position]))
        ++position;
}

inline std::wstring kelWithoutTrailingBlanks(std::wstring text)
{
    while (!text.empty() && kelIsBlank(text.back()))
        text.pop_back();
    return text;
}
