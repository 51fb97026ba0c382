#include "tasks/MonitorsTasks.h"

#include "monitor/VtMonitorsManager.h"

#include <algorithm>
#include <utility>
#include <vector>

MonitorsTasks::MonitorsTasks(std::shared_ptr<VtMonitorsManager> monitorsManager)
    : manager(std::move(monitorsManager))
{
}

MonitorsTasks::~MonitorsTasks()
{
    // The worker calls runTask, which is gone once this destructor has run.
    requestStop(true);
}

void MonitorsTasks::dropObsolete(const TasksProcessorTaskDetails* details, const Autolock& heldLock,
                                 bool skipObsolete)
{
    const auto* incoming = dynamic_cast<const monitor_task*>(details);
    if (skipObsolete || incoming == nullptr)
        return;

    std::vector<std::shared_ptr<TasksProcessorTask>> dropped;
    std::erase_if(queue, [&](const std::shared_ptr<TasksProcessorTask>& queued) {
        const auto* pending = dynamic_cast<const monitor_task*>(queued->details());
        const bool obsolete = pending != nullptr && pending->action == incoming->action &&
                              pending->monitorId == incoming->monitorId && pending->value == incoming->value;
        if (obsolete)
            dropped.push_back(queued);
        return obsolete;
    });
    if (dropped.empty())
        return;

    // Consumers may take the lock themselves (to read the current values).
    heldLock->unlock();
    for (const auto& task : dropped) {
        // A requester waiting on a dropped task would otherwise wait forever.
        task->cancel();
        raise(Event::Dropped, task->id());
    }
    heldLock->relock();
}

bool MonitorsTasks::runTask(std::uint32_t id, TasksProcessorTaskDetails* details)
{
    raise(Event::Started, id);
    const Autolock lock = autoLock();
    const bool result = execute(id, details, lock);
    if (result)
        manager->captureControlledStates();
    lock->unlock();
    raise(Event::Finished, id);

    lock->relock();
    const bool queueEmpty = queue.empty();
    lock->unlock();
    if (queueEmpty)
        raise(Event::QueueEmpty, 0);
    return result;
}

bool MonitorsTasks::execute(std::uint32_t id, TasksProcessorTaskDetails* details, const Autolock& heldLock)
{
    if (const auto* task = dynamic_cast<const monitor_task*>(details))
        return task->action == monitor_task::SetValue && setValue(id, *task);
    if (const auto* task = dynamic_cast<const generic_task*>(details))
        return executeGeneric(id, *task, heldLock);
    return false;
}

bool MonitorsTasks::executeGeneric(std::uint32_t id, const generic_task& task, const Autolock& heldLock)
{
    switch (task.kind) {
    case generic_task::Enumerate: {
        const bool refreshed = manager->refresh();
        raise(Event::MonitorsChanged, id);
        readAllValues(id);
        return refreshed;
    }
    case generic_task::ApplyProfile:
        return applyProfile(id, task.profile);
    case generic_task::Custom: {
        const bool result = task.function(heldLock);
        raise(Event::CustomDone, id);
        return result;
    }
    case generic_task::RestoreOriginal: {
        const bool restored = manager->restoreOriginalStates();
        readAllValues(id);
        return restored;
    }
    default:
        return false;
    }
}

bool MonitorsTasks::setValue(std::uint32_t id, const monitor_task& task)
{
    const auto list = monitorList();
    const auto monitor = std::find_if(list.begin(), list.end(), [&](const std::shared_ptr<MonitorManager>& listed) {
        return profileIdOf(*listed) == task.monitorId;
    });
    if (monitor == list.end())
        return false;
    const auto entry = values->find(task.monitorId);
    const auto control = (*monitor)->control();
    const MonitorLevel level = levelOf(task.value);
    if (!entry || !control || !writeLevelFraction(*control, level, task.fraction))
        return false;
    entry->setFraction(level, task.fraction);
    entry->setModified(true);
    raise(Event::ValuesChanged, id);
    return true;
}

bool MonitorsTasks::applyProfile(std::uint32_t id, const std::shared_ptr<MonitorsProfile>& profile)
{
    // Merging the current values into themselves would change nothing.
    if (profile && profile != values)
        values->assign(*profile, true);
    values->applyTo(monitorList());
    raise(Event::ValuesChanged, id);
    return true;
}

void MonitorsTasks::readAllValues(std::uint32_t id)
{
    values->captureFrom(monitorList());
    raise(Event::ValuesChanged, id);
}

MonitorManagerList MonitorsTasks::monitorList() const
{
    const auto list = manager->monitors();
    return list ? *list : MonitorManagerList();
}

void MonitorsTasks::raise(int kind, std::uint32_t taskId)
{
    raiseEvent(Event(kind, taskId));
}
