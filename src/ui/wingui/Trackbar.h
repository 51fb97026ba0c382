#pragma once

#include "ui/wingui/Wnd.h"

#include <functional>

namespace wingui {

// A slider (trackbar) control.
class Trackbar : public Wnd {
public:
    // Applied when the control is bound.
    int rangeMin = 0;
    int rangeMax = 100;

    // Every scroll notification, dragging included, with the new position.
    std::function<void(int position)> onPositionChanging;

    int value() const;
    // Moves the thumb and redraws; sends no notification.
    void setValue(int position);

protected:
    void applySettings() override;
    bool onReflectedScroll(int scrollCode) override;
};

} // namespace wingui
