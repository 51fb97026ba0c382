#include "ui/CDlgProfileName.h"

#include "localization/WinDialogTranslation.h"
#include "ui/VtUiManager.h"
#include "ui/resource.h"

#include <array>

namespace {

constexpr int profileNameTitle = 31;
constexpr std::array<DialogTranslationEntry, 2> translation{{
    {IDCANCEL, 20, 0},
    {0, profileNameTitle, 0},
}};

} // namespace

CDlgProfileName::CDlgProfileName(std::weak_ptr<VtUiManager> uiManager, std::wstring name)
    : wingui::Dialog(IDD_PROFILE_NAME), name(std::move(name)), uiManager(std::move(uiManager))
{
}

std::wstring CDlgProfileName::ask(HWND owner)
{
    return runModal(owner) == IDOK ? name : std::wstring();
}

bool CDlgProfileName::onInitDialog()
{
    SetDlgItemTextW(hwnd(), IDC_PROFILE_NAME, name.c_str());
    if (const auto ui = uiManager.lock()) {
        if (const UiLocalization* language = ui->language())
            applyDialogTranslation(hwnd(), translation, *language);
    }
    return true;
}

void CDlgProfileName::onOk()
{
    const int length = GetWindowTextLengthW(item(IDC_PROFILE_NAME));
    std::wstring typed(static_cast<std::size_t>(length) + 1, L'\0');
    typed.resize(static_cast<std::size_t>(GetDlgItemTextW(hwnd(), IDC_PROFILE_NAME, typed.data(), length + 1)));
    name = std::move(typed);
    endDialog(IDOK);
}
