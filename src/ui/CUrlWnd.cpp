#include "ui/CUrlWnd.h"

#include "system/kelWinOpenWebPage.h"
#include "ui/UrlTarget.h"

#include <shellapi.h>

CUrlWnd::CUrlWnd()
{
    Link::onClick = [this] { follow(); };
}

bool CUrlWnd::subclassDlgItem(int id, const wingui::Wnd& dialog, HFONT linkFont)
{
    textColor = GetSysColor(COLOR_HOTLIGHT);
    font = linkFont;
    if (!attachItem(dialog, id))
        return false;
    target = text();
    return true;
}

void CUrlWnd::follow()
{
    if (onClick) {
        onClick(this);
        return;
    }
    switch (urlTargetKind(target)) {
    case UrlTargetKind::Mail:
        // Nothing to report when no mail program answers.
        ShellExecuteW(GetDesktopWindow(), L"open", target.c_str(), nullptr, nullptr, SW_SHOW);
        break;
    case UrlTargetKind::Command:
        PostMessageW(GetParent(hwnd()), WM_COMMAND, static_cast<WPARAM>(urlTargetCommand(target)), 0);
        break;
    case UrlTargetKind::WebPage:
        openWebPage(target);
        break;
    }
}
