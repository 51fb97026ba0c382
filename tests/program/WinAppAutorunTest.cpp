#include "program/CVtWindowsApp.h"
#include "e2e/WinTestPrefix.h"
#include "system/kelWinAppAutorun.h"
#include "system/kelWinRunningExecutable.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t programValue[] = L"Vantrel";

// The Run value as the registry holds it, read past the code under test.
struct RunValue {
    DWORD type = 0;
    DWORD size = 0;
    std::wstring text;
};

std::optional<RunValue> readRunValue()
{
    RunValue value;
    if (RegGetValueW(HKEY_CURRENT_USER, runKey, programValue, RRF_RT_ANY | RRF_NOEXPAND, &value.type, nullptr,
                     &value.size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<wchar_t> data(value.size / sizeof(wchar_t) + 1, L'\0');
    DWORD size = value.size;
    if (RegGetValueW(HKEY_CURRENT_USER, runKey, programValue, RRF_RT_ANY | RRF_NOEXPAND, nullptr, data.data(),
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.text = data.data();
    return value;
}

bool writeRunValue(const std::wstring& text)
{
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_CURRENT_USER, runKey, programValue, REG_SZ, text.c_str(), size) == ERROR_SUCCESS;
}

void removeRunValue()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, runKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(key, programValue);
    RegCloseKey(key);
}

// The Run key of this Wine prefix's user, written through the program's own
// value name: only in the prefix scripts/test made for the tests, never in a
// user's registry.
class WinAppAutorun : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string refusal = WinTestPrefix::whyNotATestPrefix();
        ASSERT_TRUE(refusal.empty()) << "these tests write the user's Run key; " << refusal;
        inTestPrefix = true;
        removeRunValue();
        ASSERT_FALSE(readRunValue());
    }
    void TearDown() override
    {
        if (inTestPrefix)
            removeRunValue();
    }

    // The command the program writes: its quoted path and the switch.
    static std::wstring expectedCommand() { return L"\"" + kelRunningExecutablePath() + L"\" -autorun"; }

    bool inTestPrefix = false;
};

} // namespace

TEST_F(WinAppAutorun, OnOffAndOnAgainWritesDeletesAndRewritesTheRunValue)
{
    const auto autorun = makeProgramAutorun();
    EXPECT_FALSE(autorun->isEnabled());

    ASSERT_TRUE(autorun->setEnabled(true));
    auto value = readRunValue();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text, expectedCommand());
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value->size, (expectedCommand().size() + 1) * sizeof(wchar_t)) << "the size counts the terminating zero";
    EXPECT_TRUE(autorun->isEnabled());

    ASSERT_TRUE(autorun->setEnabled(false));
    EXPECT_FALSE(readRunValue());
    EXPECT_FALSE(autorun->isEnabled());
    EXPECT_TRUE(autorun->setEnabled(false)) << "a value that is gone already is off";

    ASSERT_TRUE(autorun->setEnabled(true));
    value = readRunValue();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text, expectedCommand());
}

TEST_F(WinAppAutorun, AValueOfAMovedInstallationCountsAsOnAndOffAndOnRepairsIt)
{
    ASSERT_TRUE(writeRunValue(L"\"C:\\Old Place\\Vantrel.exe\" -autorun"));
    const auto autorun = makeProgramAutorun();
    EXPECT_TRUE(autorun->isEnabled());

    ASSERT_TRUE(autorun->setEnabled(false));
    ASSERT_TRUE(autorun->setEnabled(true));
    const auto value = readRunValue();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text, expectedCommand());
}

TEST_F(WinAppAutorun, AnEmptyCommandIsNeverWritten)
{
    kelWinAppAutorun autorun(programValue, L"");
    EXPECT_FALSE(autorun.setEnabled(true));
    EXPECT_FALSE(readRunValue());
}

TEST(WinAppAutorunKey, AKeyThatCannotBeOpenedAnswersFalseAndCreatesNothing)
{
    const std::wstring missingKey = L"Software\\Vantrel tests\\no such key";
    kelWinAppAutorun autorun(programValue, L"\"C:\\Vantrel.exe\" -autorun", missingKey);
    EXPECT_FALSE(autorun.isEnabled());
    EXPECT_FALSE(autorun.setEnabled(true));
    EXPECT_FALSE(autorun.setEnabled(false));
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, missingKey.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}
