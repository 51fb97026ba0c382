#include "ui/wingui/Trackbar.h"

#include <commctrl.h>

namespace wingui {

int Trackbar::value() const
{
    return static_cast<int>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0));
}

void Trackbar::setValue(int position)
{
    SendMessageW(hwnd(), TBM_SETPOS, TRUE, position);
}

void Trackbar::applySettings()
{
    SendMessageW(hwnd(), TBM_SETRANGEMIN, FALSE, rangeMin);
    SendMessageW(hwnd(), TBM_SETRANGEMAX, TRUE, rangeMax);
}

bool Trackbar::onReflectedScroll(int scrollCode)
{
    if (!onPositionChanging)
        return false;
    onPositionChanging(value());
    return true;
}

} // namespace wingui
