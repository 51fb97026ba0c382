#include "ui/TrayProfileMenu.h"

#include <gtest/gtest.h>

TEST(TrayProfileMenu, ListsTheProfilesInOrderWithTheCurrentOneChecked)
{
    TrayProfileMenu menu;
    menu.build({L"Day", L"Movie", L"Night"}, L"Movie");

    ASSERT_EQ(menu.items().size(), 3u);
    EXPECT_EQ(menu.items()[0].command, 50000);
    EXPECT_EQ(menu.items()[2].command, 50002);
    EXPECT_EQ(menu.items()[2].name, L"Night");
    EXPECT_FALSE(menu.items()[0].checked);
    EXPECT_TRUE(menu.items()[1].checked);
    EXPECT_EQ(menu.profileOf(50002), L"Night");
    EXPECT_EQ(menu.profileOf(50003), std::nullopt);
    EXPECT_EQ(menu.profileOf(49999), std::nullopt);
}

TEST(TrayProfileMenu, OffersAtMostThreeHundredProfiles)
{
    std::vector<std::wstring> names;
    for (int i = 0; i < 301; ++i)
        names.push_back(L"Profile " + std::to_wstring(1000 + i));
    TrayProfileMenu menu;
    menu.build(names, L"Profile 1300");

    ASSERT_EQ(menu.items().size(), 300u);
    EXPECT_EQ(menu.items().back().command, 50299);
    EXPECT_EQ(menu.items().back().name, L"Profile 1299");
    EXPECT_EQ(menu.profileOf(50300), std::nullopt);
}

TEST(TrayProfileMenu, TheCurrentNameMustMatchExactly)
{
    TrayProfileMenu menu;
    menu.build({L"night", L"Night "}, L"Night");
    EXPECT_FALSE(menu.items()[0].checked);
    EXPECT_FALSE(menu.items()[1].checked);
}
