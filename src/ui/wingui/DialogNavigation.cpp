#include "ui/wingui/DialogNavigation.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace wingui {

namespace {

struct NavigatedWindow {
    HWND window;
    DialogNavigation::Kind kind;
};

thread_local std::vector<NavigatedWindow> navigatedWindows;

} // namespace

void DialogNavigation::add(HWND window, Kind kind)
{
    remove(window);
    navigatedWindows.push_back({window, kind});
}

void DialogNavigation::remove(HWND window)
{
    std::erase_if(navigatedWindows, [window](const NavigatedWindow& entry) { return entry.window == window; });
}

bool DialogNavigation::translate(MSG& message)
{
    if (!message.hwnd)
        return false;
    auto target = std::find_if(navigatedWindows.begin(), navigatedWindows.end(), [&](const NavigatedWindow& entry) {
        return entry.window == message.hwnd || IsChild(entry.window, message.hwnd);
    });
    if (target == navigatedWindows.end())
        return false;
    // Copied out: handling the message may close the window and edit the list.
    const NavigatedWindow entry = *target;
    if (entry.kind == Kind::propertySheet)
        return PropSheet_IsDialogMessage(entry.window, &message) != FALSE;
    return IsDialogMessageW(entry.window, &message) != FALSE;
}

} // namespace wingui
