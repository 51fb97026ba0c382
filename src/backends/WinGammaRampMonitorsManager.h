#pragma once

#include "backends/WinMonitorsManager.h"

// A gamma-ramp control for every monitor whose display takes a ramp. The
// monitors of one adapter share its display, so each gets its own control on
// the same display name.
class WinGammaRampMonitorsManager : public WinMonitorsManager {
public:
    using WinMonitorsManager::WinMonitorsManager;

protected:
    bool enumerate() override;
};
