#include "actions/MonitorsStateKeeper.h"

#include "profiles/MonitorsProfile.h"

MonitorsStateKeeper::MonitorsStateKeeper(std::shared_ptr<MonitorsTasks> tasks) : tasks(std::move(tasks)) {}

void MonitorsStateKeeper::keepCurrent()
{
    keepCurrent(tasks->autoLock());
}

void MonitorsStateKeeper::keepCurrent(const MonitorsTasks::Autolock&)
{
    if (!snapshot)
        snapshot = std::make_shared<MonitorsProfile>();
    snapshot->copyFrom(*tasks->currentValues());
}

void MonitorsStateKeeper::restore()
{
    restore(tasks->autoLock());
}

void MonitorsStateKeeper::restore(const MonitorsTasks::Autolock& heldLock)
{
    if (!snapshot)
        return;
    auto copy = std::make_shared<MonitorsProfile>();
    copy->copyFrom(*snapshot);
    // Generic tasks make nothing obsolete, so the caller's hold is never let go of in between.
    tasks->queueTask(heldLock, true,
                     std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::ApplyProfile,
                                                                   std::move(copy)),
                     {}, false, {});
}
