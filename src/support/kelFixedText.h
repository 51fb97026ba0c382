#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

// The text of a fixed-size character field of a platform record, which need
// not end with a zero when the text fills it.
template <std::size_t N>
std::wstring kelFixedText(const wchar_t (&field)[N])
{
    return std::wstring(field, std::find(field, field + N, L'\0'));
}
