#include "ui/wingui/PropertySheetDialog.h"

#include "ui/wingui/Application.h"
#include "ui/wingui/DialogNavigation.h"

namespace wingui {

PropertyPage::PropertyPage(int templateId, std::wstring title) : Dialog(templateId), title(std::move(title))
{
}

void PropertyPage::setModified(bool modified)
{
    HWND sheetWindow = GetParent(hwnd());
    if (modified)
        PropSheet_Changed(sheetWindow, hwnd());
    else
        PropSheet_UnChanged(sheetWindow, hwnd());
}

PROPSHEETPAGEW PropertyPage::description()
{
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.dwFlags = title.empty() ? PSP_DEFAULT : PSP_USETITLE;
    page.hInstance = resources;
    page.pszTemplate = MAKEINTRESOURCEW(templateId);
    page.pszTitle = title.c_str();
    page.pfnDlgProc = &PropertyPage::pageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

bool PropertyPage::apply(bool closing)
{
    const bool accepted = onApply();
    if (closing && sheet)
        sheet->closedWithOk = accepted;
    return accepted;
}

bool PropertyPage::onNotify(NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != GetParent(hwnd()))
        return false;
    switch (header.code) {
    case PSN_APPLY:
        result = apply(reinterpret_cast<const PSHNOTIFY&>(header).lParam != FALSE) ? PSNRET_NOERROR
                                                                                   : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_SETACTIVE:
        onSetActive();
        result = 0;
        break;
    case PSN_KILLACTIVE:
        result = onKillActive() ? FALSE : TRUE;
        break;
    case PSN_RESET:
        if (sheet)
            sheet->closedWithOk = false;
        onReset();
        result = 0;
        break;
    default:
        return false;
    }
    // A dialog answers notifications through DWLP_MSGRESULT; the sheet may
    // read it there rather than take the window procedure's result.
    SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, result);
    return true;
}

INT_PTR CALLBACK PropertyPage::pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* page = reinterpret_cast<PropertyPage*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
    // The sheet destroys its pages' windows.
    return page->initialize(window, false);
}

void PropertySheetDialog::addPage(PropertyPage& page)
{
    page.sheet = this;
    pages.push_back(&page);
}

INT_PTR PropertySheetDialog::runModal(HWND owner)
{
    if (sheet || pages.empty())
        return -1;
    std::vector<PROPSHEETPAGEW> descriptions;
    for (PropertyPage* page : pages)
        descriptions.push_back(page->description());
    HWND topOwner = owner ? GetAncestor(owner, GA_ROOT) : nullptr;

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOCONTEXTHELP | (showApplyButton ? 0 : PSH_NOAPPLYNOW);
    header.hwndParent = topOwner;
    header.hInstance = pages.front()->resources;
    header.pszCaption = title.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.ppsp = descriptions.data();
    closedWithOk = false;
    sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (!sheet)
        return -1;
    DialogNavigation::add(sheet, DialogNavigation::Kind::propertySheet);

    const bool ownerWasEnabled = topOwner && IsWindowEnabled(topOwner);
    if (ownerWasEnabled)
        EnableWindow(topOwner, FALSE);
    // A modeless sheet stays open after OK or Cancel and says so by having
    // no current page any more.
    Application::runUntil([this] { return !IsWindow(sheet) || !PropSheet_GetCurrentPageHwnd(sheet); });
    if (ownerWasEnabled)
        EnableWindow(topOwner, TRUE);
    if (topOwner && GetActiveWindow() == sheet)
        SetActiveWindow(topOwner);
    DialogNavigation::remove(sheet);
    DestroyWindow(sheet);
    sheet = nullptr;
    return closedWithOk ? IDOK : IDCANCEL;
}

} // namespace wingui
