#include "ui/CDlgProfileName.h"

#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What the user does once the dialog is up: type a name, then press a key.
struct Typing {
    std::wstring text;
    UINT key;
    std::wstring shownAtFirst;
};
Typing typing;

void CALLBACK typeIntoDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(nullptr, L"Enter profile name");
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    HWND edit = GetDlgItem(dialog, 1023);
    wchar_t shown[64] = {};
    GetWindowTextW(edit, shown, 64);
    typing.shownAtFirst = shown;
    SetWindowTextW(edit, typing.text.c_str());
    SetFocus(edit);
    wingui_test::postKey(edit, typing.key);
}

std::wstring askWhileTyping(const std::wstring& text, UINT key)
{
    typing = {text, key, L""};
    SetTimer(nullptr, 0, 20, typeIntoDialog);
    CDlgProfileName dialog({}, L"Day");
    return dialog.ask(nullptr);
}

} // namespace

TEST(CDlgProfileName, EnterGivesTheNameAsTypedAndEscapeGivesNothing)
{
    EXPECT_EQ(askWhileTyping(L"  Night <warm> ", VK_RETURN), L"  Night <warm> ");
    EXPECT_EQ(typing.shownAtFirst, L"Day");
    EXPECT_EQ(askWhileTyping(L"Movie", VK_ESCAPE), L"");
}
