#include "ui/CAboutDlg.h"

#include "localization/ShippedLocalizations.h"
#include "localization/VtUiLocalizationManager.h"
#include "system/kelBinaryFileVersionInfo.h"
#include "ui/VtUiManager.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// The box's texts as it showed them, read once it is up; then it is closed.
std::map<int, std::wstring> shownTexts;

void CALLBACK readAndClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = FindWindowW(nullptr, L"About Vantrel");
    if (!box)
        return;
    KillTimer(nullptr, timer);
    for (const int id : {0, 1123, 1031, 1027, 1170, 1028}) {
        wchar_t text[128] = {};
        if (id == 0)
            GetWindowTextW(box, text, 128);
        else
            GetDlgItemTextW(box, id, text, 128);
        shownTexts[id] = text;
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace

TEST(CAboutDlg, ShowsTheProductTheStoredVersionTextAndTheTranslatedLinks)
{
    const auto ui = std::make_shared<VtUiManager>(nullptr, nullptr, nullptr, shippedLocalizationsFolder());
    ASSERT_TRUE(ui->createLocalization());
    ui->localizationManager()->selectByName(L"English");
    kelBinaryFileVersionInfo version;
    version.productVersionText = L"1, 8, 0, 0";
    shownTexts.clear();

    SetTimer(nullptr, 0, 20, readAndClose);
    CAboutDlg about(&version, ui);
    EXPECT_EQ(about.runModal(nullptr), IDOK);

    EXPECT_EQ(shownTexts[0], L"About Vantrel");
    EXPECT_EQ(shownTexts[1123], L"Vantrel");
    EXPECT_EQ(shownTexts[1031], L"Version 1, 8, 0, 0");
    EXPECT_EQ(shownTexts[1027], L"vantrel.example");
    EXPECT_EQ(shownTexts[1170], L"Click here to contact us");
    EXPECT_EQ(shownTexts[1028], L"Click here to download the latest version");
}
