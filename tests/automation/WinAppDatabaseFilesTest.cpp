// The application and icon databases over real files: the test program's
// icon is extracted, copied into the icons folder at the first save and
// deleted with the last reference to its application.
#include "automation/FakeRunningApp.h"
#include "automation/VtAppInfoDb.h"
#include "automation/VtIconDatabase.h"
#include "automation/WinTestApplication.h"
#include "persistence/StoreTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <string>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::wstring upperCase(std::wstring text)
{
    std::ranges::transform(text, text.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return text;
}

TEST(WinAppDatabaseFiles, AProgramAddedTwiceInTwoLetterCasesKeepsOneIconFileUntilBothRulesGo)
{
    const StoreScratchFolder folder;
    const auto manager = makeStoreManager(folder.path());
    const auto icons = std::make_shared<VtIconDatabase>((folder.path() / "icons").wstring());
    manager->registerObject(icons, L"icons.vt");
    const auto apps = std::make_shared<VtAppInfoDb>(icons);
    manager->registerObject(apps, L"apps.vt");
    const std::wstring program = WinTestApplication::builtProgram();

    const auto chosen = apps->createValue();
    chosen->setFromRunningApp(FakeRunningApp(10, program));
    EXPECT_EQ(chosen->uiName(), L"Vantrel Test Application (vantrel_testapp.exe)");
    EXPECT_NE(chosen->icon(16, 16), nullptr) << "shown from the program before anything is saved";
    const unsigned id = apps->addRef(chosen);
    const auto again = apps->createValue();
    again->setFromRunningApp(FakeRunningApp(11, upperCase(program)));
    ASSERT_EQ(apps->addRef(again), id);
    ASSERT_TRUE(manager->saveAll(0));
    ASSERT_TRUE(manager->saveAll(0));

    const std::filesystem::path iconFile = folder.path() / "icons" / "icon.ico";
    EXPECT_THAT(readBytes(folder.file("apps.vt")).value_or(""), HasSubstr("item-refs=\"2\""));
    EXPECT_THAT(readBytes(folder.file("apps.vt")).value_or(""), HasSubstr("icon_id=\"1\""));
    EXPECT_THAT(readBytes(folder.file("icons.vt")).value_or(""), HasSubstr("file=\"icon.ico\""));
    ASSERT_TRUE(std::filesystem::exists(iconFile));
    EXPECT_NE(icons->iconFor(1, 32, 32), nullptr);

    apps->remove(id);
    ASSERT_TRUE(manager->saveAll(0));
    EXPECT_THAT(readBytes(folder.file("apps.vt")).value_or(""), HasSubstr("item-refs=\"1\""));
    EXPECT_TRUE(std::filesystem::exists(iconFile));

    apps->remove(id);
    ASSERT_TRUE(manager->saveAll(0));
    EXPECT_FALSE(std::filesystem::exists(iconFile));
    EXPECT_THAT(readBytes(folder.file("apps.vt")).value_or(""), Not(HasSubstr("<item")));
    EXPECT_THAT(readBytes(folder.file("icons.vt")).value_or(""), Not(HasSubstr("<icon ")));
}

} // namespace
