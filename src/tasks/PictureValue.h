#pragma once

#include "monitor/MonitorLevel.h"

// The five values the user adjusts, one slider each.
enum class PictureValue : int {
    Brightness = 0,
    Contrast = 1,
    Red = 2,
    Green = 3,
    Blue = 4,
};

// Where the value lives on a monitor control and in a profile entry; the
// colours are the gains of their channels.
MonitorLevel levelOf(PictureValue value);
