#include "monitor/VtMonitorStateKeeping.h"

void captureState(VtMonitorsState& state, const VtMonitorManager& monitor)
{
    // Asked before the lock: a device may take long to answer, and the
    // autosave thread must not wait for it.
    const std::string text = monitor.control()->saveState(state.kind());
    state.keep(monitor.id(), text);
}

void captureMissingStates(VtMonitorsState& state, const VtMonitorList& monitors)
{
    for (const auto& monitor : monitors) {
        if (!state.hasState(monitor->id()))
            captureState(state, *monitor);
    }
}

bool restoreStates(VtMonitorsState& state, const VtMonitorList& monitors)
{
    // A copy, so that no device call runs under the object's lock.
    const auto kept = state.states();
    bool allRestored = true;
    for (const auto& monitor : monitors) {
        const auto found = kept.find(monitor->id());
        if (found != kept.end() && !monitor->control()->restoreState(state.kind(), found->second))
            allRestored = false;
    }
    return allRestored;
}
