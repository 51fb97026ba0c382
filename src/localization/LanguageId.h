#pragma once

#include <string>

// A language id written in hexadecimal, as a language file's header and the
// platform's locale information give it: leading blanks, an optional sign and
// "0x", then hexadecimal digits up to the first other character. Text without
// digits gives 0; a value beyond 32 bits gives 0xFFFFFFFF.
int parseLanguageId(const std::wstring& text);

// Whether two Windows language ids name the same primary language (their low
// ten bits), so that Swiss German (0x807) serves a German user (0x407). The
// neutral primary language 0, which a missing or unreadable id gives, matches
// nothing: an unknown user language must not pick a file that names none.
bool samePrimaryLanguage(int first, int second);
