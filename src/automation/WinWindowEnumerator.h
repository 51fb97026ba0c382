#pragma once

#include "automation/WindowEnumerator.h"

// The top-level windows through EnumWindows.
class WinWindowEnumerator : public WindowEnumerator {
public:
    std::vector<WindowHandle> enumerate() override;
};
