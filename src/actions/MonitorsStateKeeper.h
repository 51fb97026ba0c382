#pragma once

#include "tasks/MonitorsTasks.h"

#include <memory>

class MonitorsProfile;

// Remembers the monitors' values so that they can be put back later.
class StateKeeper {
public:
    virtual void keepCurrent() = 0;
    virtual void restore() = 0;
    virtual bool isEmpty() = 0;
    virtual void reset() = 0;
    virtual ~StateKeeper() = default;
};

// Keeps a copy of the monitor task queue's current values and puts it back
// through an ApplyProfile task. It has no lock of its own: its owner guards
// it. The forms that take heldLock are for callers that hold the queue's
// lock already (taking it again on that thread would throw).
class MonitorsStateKeeper : public StateKeeper {
public:
    explicit MonitorsStateKeeper(std::shared_ptr<MonitorsTasks> tasks);

    // Replaces the kept values with the current ones.
    void keepCurrent() override;
    void keepCurrent(const MonitorsTasks::Autolock& heldLock);
    // Queues a copy of the kept values to be applied; the kept values stay.
    // Nothing without kept values.
    void restore() override;
    void restore(const MonitorsTasks::Autolock& heldLock);
    bool isEmpty() override { return !snapshot; }
    void reset() override { snapshot.reset(); }

private:
    std::shared_ptr<MonitorsTasks> tasks;
    std::shared_ptr<MonitorsProfile> snapshot;
};
