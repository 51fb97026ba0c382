#pragma once

#include "monitor/VtMonitorManager.h"
#include "monitor/VtMonitorsState.h"

#include <memory>
#include <vector>

// Keeping the monitors' state texts of one kind in a VtMonitorsState, by
// monitor id. Monitors must have a control.
using VtMonitorList = std::vector<std::shared_ptr<VtMonitorManager>>;

// Records the monitor's current state of the object's kind; an empty text
// drops what was kept.
void captureState(VtMonitorsState& state, const VtMonitorManager& monitor);
// Records the state of each monitor that has none kept yet, so a first-seen
// picture is never overwritten.
void captureMissingStates(VtMonitorsState& state, const VtMonitorList& monitors);
// Hands every kept text to its monitor; monitors without one are skipped.
// False if any restore failed; the remaining monitors are restored anyway.
bool restoreStates(VtMonitorsState& state, const VtMonitorList& monitors);
