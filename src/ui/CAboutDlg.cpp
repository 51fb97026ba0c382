#include "ui/CAboutDlg.h"

#include "app/VtProductAddresses.h"
#include "app/WinReferralLink.h"
#include "localization/WinDialogTranslation.h"
#include "system/kelBinaryFileVersionInfo.h"
#include "ui/VtUiManager.h"
#include "ui/resource.h"

#include <array>

namespace {

constexpr int aboutTitle = 25;
constexpr int versionCaption = 26;
constexpr std::array<DialogTranslationEntry, 4> translation{{
    {IDC_CONTACT_LINK, 28, 0},
    {IDC_DOWNLOAD_LINK, 29, 0},
    {IDC_ABOUT_TEXT, 27, 0},
    {0, 0, 0},
}};

} // namespace

CAboutDlg::CAboutDlg(const kelBinaryFileVersionInfo* versionInfo, std::weak_ptr<VtUiManager> uiManager)
    : wingui::Dialog(IDD_ABOUTBOX), versionInfo(versionInfo), uiManager(std::move(uiManager))
{
}

bool CAboutDlg::onInitDialog()
{
    linkFont = wingui::Font::underlinedCopyOf(hwnd());
    textFont = wingui::Font::create(L"Arial", 12, FW_LIGHT);
    // The texts first: a link takes its control's text as its target.
    applyTexts();
    if (webSiteLink.subclassDlgItem(IDC_WEBSITE_LINK, *this, linkFont.handle()))
        webSiteLink.target = referralLink(VtProductAddresses::homePage);
    if (contactLink.subclassDlgItem(IDC_CONTACT_LINK, *this, linkFont.handle()))
        contactLink.target = VtProductAddresses::supportMail;
    if (downloadLink.subclassDlgItem(IDC_DOWNLOAD_LINK, *this, linkFont.handle()))
        downloadLink.target = referralLink(VtProductAddresses::homePage);
    aboutText.font = textFont.handle();
    aboutText.attachItem(*this, IDC_ABOUT_TEXT);
    return true;
}

void CAboutDlg::applyTexts()
{
    SetDlgItemTextW(hwnd(), IDC_PRODUCT_NAME, L"Vantrel");
    const auto ui = uiManager.lock();
    const std::wstring version = versionInfo ? versionInfo->productVersionText : std::wstring();
    if (ui) {
        SetDlgItemTextW(hwnd(), IDC_VERSION, (ui->text(versionCaption) + L" " + version).c_str());
        SetWindowTextW(hwnd(), (ui->text(aboutTitle) + L" Vantrel").c_str());
        if (const UiLocalization* language = ui->language())
            applyDialogTranslation(hwnd(), translation, *language);
    } else {
        SetDlgItemTextW(hwnd(), IDC_VERSION, (L"Version " + version).c_str());
    }
}
