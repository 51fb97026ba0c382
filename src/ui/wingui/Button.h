#pragma once

#include "ui/wingui/Wnd.h"

#include <functional>

namespace wingui {

// A push button; onClicked runs for a click, its mnemonic, Space, and Enter
// when it is the default button.
class Button : public Wnd {
public:
    std::function<void()> onClicked;

protected:
    bool onReflectedCommand(int id, int notifyCode) override;
};

// A check box of the BS_AUTOCHECKBOX kind: the click has already changed the
// state when onClicked runs.
class CheckBox : public Button {
public:
    // The state applied when the control is bound.
    bool checked = false;

    bool isChecked() const;
    void setChecked(bool state);

protected:
    void applySettings() override;
};

} // namespace wingui
