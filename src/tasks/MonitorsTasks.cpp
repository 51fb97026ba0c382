#include "tasks/MonitorsTasks.h"

#include "monitor/VtMonitorsManager.h"

#include <algorithm>
#include <exception>
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

    // A requester waiting on a dropped task would otherwise wait forever.
    for (const auto& task : dropped)
        task->cancel();
    // Consumers do not run under the lock, but must not take it either: the
    // worker may have started the next task meanwhile, and the requester
    // (often the UI thread) would then wait for a device.
    heldLock->unlock();
    for (const auto& task : dropped)
        raise(Event::Dropped, task->id());
    heldLock->relock();
}

bool MonitorsTasks::runTask(std::uint32_t id, TasksProcessorTaskDetails* details)
{
    raise(Event::Started, id);
    bool result = false;
    std::exception_ptr failure;
    try {
        result = executeLocked(id, details);
    } catch (...) {
        // A programming error (a handler that took the lock, a Custom task
        // without a function): the task has failed, but Finished and
        // QueueEmpty still come, so whoever follows the queue is not left
        // waiting; the exception then goes on to the task's waiters.
        failure = std::current_exception();
    }
    raise(Event::Finished, id);
    if (isQueueEmpty())
        raise(Event::QueueEmpty, 0);
    if (failure)
        std::rethrow_exception(failure);
    return result;
}

bool MonitorsTasks::executeLocked(std::uint32_t id, TasksProcessorTaskDetails* details)
{
    const Autolock lock = autoLock();
    const bool result = execute(id, details, lock);
    if (result)
        manager->captureControlledStates();
    return result;
}

bool MonitorsTasks::isQueueEmpty()
{
    const Autolock lock = autoLock();
    return queue.empty();
}

void MonitorsTasks::releaseWorkerObjects()
{
    // Under the lock, so a reader sees the old list or the empty one, never a
    // list being torn down.
    const Autolock lock = autoLock();
    manager->releaseMonitors();
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
