#pragma once

#include "ui/wingui/Wnd.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace wingui {

// A flat toolbar of image buttons with tooltips, made in code (toolbars have
// no dialog template form). It takes part in the dialog's Tab order, at the
// place given to create, so that its buttons work without a mouse: Tab moves
// onto the toolbar, Left and Right choose a button, Enter or Space presses
// it.
class Toolbar : public Wnd {
public:
    struct ButtonSpec {
        int commandId;
        int image; // index into the image list
    };

    // Applied when the toolbar is made.
    std::vector<ButtonSpec> buttons;
    HIMAGELIST images = nullptr; // not owned; must outlive the toolbar
    // The same images as disabled buttons show them; null: the control's own greying.
    HIMAGELIST disabledImages = nullptr; // not owned; must outlive the toolbar

    // A button was pressed, with the mouse or the keyboard.
    std::function<void(int commandId)> onButtonClicked;
    // The tooltip of a button; at most 160 characters are shown.
    std::function<std::wstring(int commandId)> tooltipText;

    // Makes the toolbar as a child of parent at bounds (client coordinates);
    // in Tab order it follows tabOrderAfter (nullptr: first).
    bool create(const Wnd& parent, int id, const RECT& bounds, HWND tabOrderAfter);

    void setButtonEnabled(int commandId, bool enabled);
    bool isButtonEnabled(int commandId) const;
    // The size that shows every button.
    SIZE maxSize() const;

protected:
    void applySettings() override;
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onReflectedCommand(int id, int notifyCode) override;
    bool onReflectedNotify(NMHDR& header, LRESULT& result) override;

private:
    bool onKeyDown(WPARAM key);
    void moveHotButton(int step);
    void pressHotButton();
};

} // namespace wingui
