#pragma once

#include <windows.h>

#include <string>

namespace wingui {

// Every message box of the program goes through here: the platform's modal
// message box over the owner's top-level window (so that a box asked for by
// a control or a child dialog still blocks the whole window), with the
// caption given. Returns the button chosen (IDOK, IDYES, ...).
int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style);

} // namespace wingui
