#pragma once

#include <string>

// text with its one parameter, the first "%s", replaced by value; text
// unchanged when it has none. The replacement is plain text, never a format:
// a language file is not trusted to hold a format string, and value (a
// profile name) may contain "%" itself.
std::wstring withStringParameter(const std::wstring& text, const std::wstring& value);
