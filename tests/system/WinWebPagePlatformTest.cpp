#include "e2e/WinTestPrefix.h"
#include "system/kelWinOpenWebPage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const std::wstring scheme = L"vantrel-test-scheme";
const std::wstring className = L"VantrelTest.Url";
const std::wstring userChoiceKey =
    L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\" + scheme + L"\\UserChoice";
// Where the classes of HKEY_CLASSES_ROOT that belong to this user live.
const std::wstring classKey = L"Software\\Classes\\" + className;

bool setText(const std::wstring& key, const std::wstring& name, const std::wstring& text)
{
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.empty() ? nullptr : name.c_str(), REG_SZ,
                           text.c_str(), size) == ERROR_SUCCESS;
}

void removeTree(const std::wstring& key)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

// The registry texts a browser is found by, as a test class and scheme of
// this Wine prefix's user: only in the prefix scripts/test made for tests.
class WinWebPagePlatform : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string refusal = WinTestPrefix::whyNotATestPrefix();
        ASSERT_TRUE(refusal.empty()) << "these tests write the user's registry; " << refusal;
        inTestPrefix = true;
        cleanUp();
    }
    void TearDown() override
    {
        if (inTestPrefix)
            cleanUp();
    }
    static void cleanUp()
    {
        removeTree(L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\" + scheme);
        removeTree(classKey);
    }

    bool inTestPrefix = false;
    kelWinWebPagePlatform platform;
};

} // namespace

TEST_F(WinWebPagePlatform, ReadsTheUsersChoiceAndItsOpenCommand)
{
    EXPECT_EQ(platform.userChoiceProgId(scheme), L"");
    EXPECT_EQ(platform.openCommand(className), L"");

    const std::wstring command = L"\"C:\\Browser\\browser.exe\" -url \"%1\"";
    ASSERT_TRUE(setText(userChoiceKey, L"ProgId", className));
    ASSERT_TRUE(setText(classKey + L"\\shell\\open\\command", L"", command));
    EXPECT_EQ(platform.userChoiceProgId(scheme), className);
    EXPECT_EQ(platform.openCommand(className), command);
}

TEST_F(WinWebPagePlatform, TextsLongerThanTheirLimitCountAsMissing)
{
    const std::wstring longest(kelWebPagePlatform::maxRegistryText, L'c');
    ASSERT_TRUE(setText(userChoiceKey, L"ProgId", longest));
    EXPECT_EQ(platform.userChoiceProgId(scheme), longest);
    ASSERT_TRUE(setText(userChoiceKey, L"ProgId", longest + L"c"));
    EXPECT_EQ(platform.userChoiceProgId(scheme), L"");
}
