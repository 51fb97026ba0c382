#include "localization/UserLanguage.h"

#include "localization/LanguageId.h"

#include <windows.h>

#include <string>

int userDefaultLanguageId()
{
    wchar_t text[16] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTLANGUAGE, text, static_cast<int>(std::size(text))) == 0)
        return 0;
    return parseLanguageId(text);
}
