#pragma once

#include "ui/wingui/Label.h"

#include <functional>
#include <string>

// A link in a dialog: a static text (SS_NOTIFY, and WS_TABSTOP for the
// keyboard) that acts on its target when clicked. It shows in the hot-track
// colour and in the font its dialog gives it. UI thread only.
class CUrlWnd : public wingui::Link {
public:
    CUrlWnd();

    // "mailto:..." starts an e-mail, "cmd:N" sends command N to the parent
    // window, anything else is opened as a web page; any case.
    std::wstring target;
    // When set, a click calls it instead of acting on the target. It hides
    // the plain click callback of the base, which this link uses itself.
    std::function<void(CUrlWnd*)> onClick;

    // Binds the control with that id, takes its text as the target and gives
    // it the link colour and font (not owned; it must outlive the control).
    bool subclassDlgItem(int id, const wingui::Wnd& dialog, HFONT linkFont);

private:
    void follow();
};
