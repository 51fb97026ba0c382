#include "localization/UserLanguage.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(WinUserLanguage, IsTheLanguageOfTheUsersLocale)
{
    const int language = userDefaultLanguageId();
    EXPECT_NE(language, 0);
    EXPECT_EQ(language, static_cast<int>(GetUserDefaultLangID()));
}
