#pragma once

#include "automation/RunningAppInfo.h"

#include <string>
#include <vector>

class WindowApi;

// The name a running application is shown by: the title of its main window
// followed by its program's file name in parentheses, or the file name alone
// when none of its windows without a parent has a title. Windows without a
// parent come first, and among those the visible ones, so a hidden helper
// window does not name the application.
std::wstring runningAppShownName(const std::vector<WindowHandle>& windows, WindowApi& windowApi,
                                 const std::wstring& programPath);
