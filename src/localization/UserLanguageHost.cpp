#include "localization/UserLanguage.h"

// The host build has no Windows locale, and no environment variable may
// configure the program: no user language, so English is the start.
int userDefaultLanguageId()
{
    return 0;
}
