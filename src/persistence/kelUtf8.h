#pragma once

#include <string>

// Conversions between wide strings and UTF-8 that behave the same on every
// platform, whatever the width of wchar_t: a 16-bit wchar_t holds UTF-16
// (characters beyond the basic plane as surrogate pairs), a 32-bit one holds
// code points. Both stop at the first NUL character, and neither ever fails:
// anything that is not a valid character (a lone surrogate, a malformed or
// overlong UTF-8 sequence, a value beyond U+10FFFF) becomes U+FFFD.
std::string kelWideToUtf8(const std::wstring& wide);
std::wstring kelUtf8ToWide(const std::string& utf8);
