#include "ui/wingui/MessageBox.h"

namespace wingui {

int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style)
{
    HWND topOwner = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    // An empty caption leaves the platform's default ("Error").
    return MessageBoxW(topOwner, text.c_str(), caption.empty() ? nullptr : caption.c_str(), style);
}

} // namespace wingui
