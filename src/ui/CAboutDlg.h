#pragma once

#include "ui/CUrlWnd.h"
#include "ui/wingui/Dialog.h"
#include "ui/wingui/Font.h"
#include "ui/wingui/Label.h"

#include <memory>

class kelBinaryFileVersionInfo;
class VtUiManager;

// The About box: product, version, links to the web site and to support,
// and a few words on what the program does. Shown modally; it reads its
// texts once, when it opens. UI thread only.
class CAboutDlg : public wingui::Dialog {
public:
    // versionInfo is not owned and must outlive the box; null shows no version.
    CAboutDlg(const kelBinaryFileVersionInfo* versionInfo, std::weak_ptr<VtUiManager> uiManager);

protected:
    bool onInitDialog() override;

private:
    void applyTexts();

    const kelBinaryFileVersionInfo* versionInfo;
    std::weak_ptr<VtUiManager> uiManager;
    wingui::Font linkFont;
    wingui::Font textFont;
    CUrlWnd webSiteLink;
    CUrlWnd contactLink;
    CUrlWnd downloadLink;
    wingui::Label aboutText;
};
