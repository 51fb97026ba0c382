#pragma once

#include "automation/ForegroundKeeperPlatform.h"

// The system clock and the virtual screen of this session.
class WinForegroundKeeperPlatform : public ForegroundKeeperPlatform {
public:
    std::int64_t now() override;
    ScreenSize virtualScreenSize() override;
};
