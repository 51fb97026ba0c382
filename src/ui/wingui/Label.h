#pragma once

#include "ui/wingui/Wnd.h"

#include <functional>
#include <optional>

namespace wingui {

// A static text. Its colour and font are its own settings: the parent's
// control-colour answer is passed through the label, which sets its text
// colour there.
class Label : public Wnd {
public:
    // Applied when the control is bound; the font is not owned and must
    // outlive the control (wingui::Font).
    std::optional<COLORREF> textColor;
    HFONT font = nullptr;

protected:
    void applySettings() override;
    void onReflectedColor(HDC dc, HBRUSH& brush) override;
};

// A static text that acts when clicked, as a web link does: the hand cursor
// over it, and onClick on a click. When its template gives it WS_TABSTOP it
// also takes the keyboard focus, shows a focus rectangle and acts on Enter
// or Space, so that it can be used without a mouse. The template gives it
// SS_NOTIFY, without which a static control never sees the mouse.
class Link : public Label {
public:
    std::function<void()> onClick;

protected:
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void click();
    void drawFocus();
};

} // namespace wingui
