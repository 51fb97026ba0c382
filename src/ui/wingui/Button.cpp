#include "ui/wingui/Button.h"

namespace wingui {

bool Button::onReflectedCommand(int id, int notifyCode)
{
    if (notifyCode != BN_CLICKED || !onClicked)
        return false;
    onClicked();
    return true;
}

bool CheckBox::isChecked() const
{
    return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::setChecked(bool state)
{
    checked = state;
    SendMessageW(hwnd(), BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::applySettings()
{
    setChecked(checked);
}

} // namespace wingui
