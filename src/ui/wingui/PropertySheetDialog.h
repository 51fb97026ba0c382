#pragma once

#include "ui/wingui/Dialog.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace wingui {

class PropertySheetDialog;

// One page of a property sheet, made from a dialog template. The sheet makes
// and destroys the page's window (when the page is first shown and when the
// sheet closes); the object outlives both.
//
// The sheet's notifications arrive at the handlers below on the UI thread.
class PropertyPage : public Dialog {
public:
    // The title shows on the page's tab; empty keeps the template's caption.
    PropertyPage(int templateId, std::wstring title);

    std::wstring title;

protected:
    // PSN_APPLY: the user confirmed the sheet with OK or Apply. Returning
    // false keeps the sheet open on this page.
    virtual bool onApply() { return true; }
    // PSN_SETACTIVE: the page is about to be shown.
    virtual void onSetActive() {}
    // PSN_KILLACTIVE: the page is about to lose the front; returning false
    // keeps it (its input is not valid).
    virtual bool onKillActive() { return true; }
    // PSN_RESET: the sheet is closing through Cancel.
    virtual void onReset() {}

    // Enables the sheet's Apply button (or disables it again).
    void setModified(bool modified);

    // The sheet's buttons belong to the sheet, not to its pages.
    void onOk() override {}
    void onCancel() override {}
    bool onNotify(NMHDR& header, LRESULT& result) override;

private:
    friend class PropertySheetDialog;
    PROPSHEETPAGEW description();
    bool apply(bool closing);
    static INT_PTR CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    PropertySheetDialog* sheet = nullptr;
};

// A property sheet over pages that the caller owns, shown modally over its
// owner: like Dialog::runModal it disables the owner and runs its own
// message loop with the application's message filters. Pages get no Help
// button.
class PropertySheetDialog {
public:
    std::wstring title;
    bool showApplyButton = true;

    // The pages in tab order; add them before runModal.
    void addPage(PropertyPage& page);
    // Returns IDOK when the sheet was closed with OK, IDCANCEL otherwise, or
    // -1 when it could not be made.
    INT_PTR runModal(HWND owner);
    // The sheet's window while it is shown.
    HWND hwnd() const { return sheet; }

private:
    friend class PropertyPage;

    std::vector<PropertyPage*> pages;
    HWND sheet = nullptr;
    // Whether the last OK was accepted by every page: the sheet then closes.
    bool closedWithOk = false;
};

} // namespace wingui
