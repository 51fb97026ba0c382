#pragma once

#include "actions/MonitorsStateKeeper.h"
#include "actions/VtUserActionProcessor.h"
#include "support/kelThreadSafe.h"
#include "support/kelVaEvent.h"

#include <deque>
#include <memory>
#include <unordered_set>

class MonitorsProfileList;
class MonitorsTasks;

// Turns user actions into monitor tasks: brightness and contrast steps of
// every monitor, and profile switches. A restorable action (an application
// rule) saves the monitors' values before the first of them runs; when the
// last one is withdrawn the saved values are applied again.
//
// Actions wait in a queue of their own until the monitor task queue has
// nothing pending, then all become tasks in arrival order, so steps never
// pile up behind a slow monitor and each adds to the value the last left.
//
// Threads: process() comes from the UI thread (hotkeys) and the automation
// thread, withdraw() from the automation thread, and the task queue's
// QueueEmpty event (on its worker, queue lock free) drains. No call waits for
// a device: the queue's lock is held only for steps in memory.
//
// Lock order: the task queue's lock first, then this processor's own mutex.
// Draining, withdrawing and destruction all take them in that order; the own
// mutex guards the pending queue, the active set, the state keeper and the
// draining flag. One drain runs at a time: a profile switch it queues lets
// go of the queue's lock while it drops the passes it covers, and a second
// drain meanwhile would queue later actions ahead of it.
class VtUserActionForMonitorProcessor : public VtUserActionProcessor,
                                         public kelThreadSafe4,
                                         public kelConsumesVaEvents {
public:
    VtUserActionForMonitorProcessor(const std::shared_ptr<MonitorsTasks>& tasks,
                                    const std::shared_ptr<MonitorsProfileList>& profiles);
    // With a restorable action still in force, the saved values are put back
    // (withdrawAll).
    ~VtUserActionForMonitorProcessor() override;
    VtUserActionForMonitorProcessor(const VtUserActionForMonitorProcessor&) = delete;
    VtUserActionForMonitorProcessor& operator=(const VtUserActionForMonitorProcessor&) = delete;

    // Takes every action; it runs as soon as the task queue is idle.
    bool process(const std::shared_ptr<VtUserAction>& action, bool restorable) override;
    // An active action that was the last one restores the saved values; a
    // pending one is simply dropped and restores nothing.
    bool withdraw(const std::shared_ptr<VtUserAction>& action) override;
    // Queues the restore of the saved values if an action is in force; the
    // task queue writes them unless it has stopped already.
    void withdrawAll() override;

    void onVaEvent(kelRaisesVaEvents* raiser, const kelVaEvent& event) override;

private:
    struct PendingUserAction {
        std::shared_ptr<VtUserAction> action;
        bool restorable;
    };

    void drain();
    void run(MonitorsTasks& tasks, const MonitorsTasks::Autolock& heldLock, const PendingUserAction& entry,
             MonitorsProfileList* profiles);
    void activate(const std::shared_ptr<VtUserAction>& action, const MonitorsTasks::Autolock& heldLock);
    static void queueAdjust(MonitorsTasks& tasks, const MonitorsTasks::Autolock& heldLock, float brightnessDelta,
                            float contrastDelta);
    static void queueProfile(MonitorsTasks& tasks, const MonitorsTasks::Autolock& heldLock,
                             MonitorsProfileList* profiles, const std::wstring& name);

    std::weak_ptr<MonitorsTasks> monitorsTasks;
    std::weak_ptr<MonitorsProfileList> profileList;
    MonitorsStateKeeper stateKeeper;
    std::unordered_set<std::shared_ptr<VtUserAction>> activeActions;
    std::deque<PendingUserAction> pendingActions;
    bool draining = false;
};
