#pragma once

#include "ui/wingui/Dialog.h"

#include <memory>
#include <string>

class VtUiManager;

// Asks for the name of a profile to save. UI thread only.
class CDlgProfileName : public wingui::Dialog {
public:
    CDlgProfileName(std::weak_ptr<VtUiManager> uiManager, std::wstring name);

    // Shows the dialog over owner; the name exactly as typed (blanks kept,
    // possibly empty) on OK, an empty text on Cancel or close.
    std::wstring ask(HWND owner);

    // Shown at first; after OK, what was typed.
    std::wstring name;

protected:
    bool onInitDialog() override;
    void onOk() override;

private:
    std::weak_ptr<VtUiManager> uiManager;
};
