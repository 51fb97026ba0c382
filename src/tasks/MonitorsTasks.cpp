#include "tasks/MonitorsTasks.h"

#include "monitor/RangeKeepingControl.h"
#include "monitor/VtMonitorsManager.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace {

using monitor_task = MonitorsTasks::monitor_task;
using generic_task = MonitorsTasks::generic_task;

// A newer write of the same value to the same monitor.
bool replacesWrite(const monitor_task& incoming, const TasksProcessorTaskDetails& queued)
{
    const auto* pending = dynamic_cast<const monitor_task*>(&queued);
    return pending != nullptr && pending->action == incoming.action && pending->monitorId == incoming.monitorId &&
           pending->value == incoming.value;
}

// Every pass writes the current values to every monitor, after merging its
// profile in; a later pass leaves nothing of an earlier one behind when it
// merges at least what the earlier merges (the current values alone merge
// nothing). Which passes ran in between does not matter: what they changed
// is in the current values the later pass writes.
bool coversPass(const generic_task& incoming, const TasksProcessorTaskDetails& queued)
{
    const auto* pending = dynamic_cast<const generic_task*>(&queued);
    if (incoming.kind != generic_task::ApplyProfile || pending == nullptr ||
        pending->kind != generic_task::ApplyProfile)
        return false;
    if (!pending->profile)
        return true;
    return incoming.profile && incoming.profile->covers(*pending->profile);
}

bool makesObsolete(const TasksProcessorTaskDetails& incoming, const TasksProcessorTaskDetails& queued)
{
    if (const auto* write = dynamic_cast<const monitor_task*>(&incoming))
        return replacesWrite(*write, queued);
    if (const auto* generic = dynamic_cast<const generic_task*>(&incoming))
        return coversPass(*generic, queued);
    return false;
}

MonitorManagerList rangeKeeping(const MonitorManagerList& listed)
{
    MonitorManagerList working;
    working.reserve(listed.size());
    for (const auto& monitor : listed)
        working.push_back(std::make_shared<RangeKeepingMonitor>(monitor));
    return working;
}

} // namespace

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
    if (skipObsolete || details == nullptr)
        return;

    std::vector<std::shared_ptr<TasksProcessorTask>> dropped;
    std::erase_if(queue, [&](const std::shared_ptr<TasksProcessorTask>& queued) {
        const bool obsolete = queued->details() != nullptr && makesObsolete(*details, *queued->details());
        if (obsolete)
            dropped.push_back(queued);
        return obsolete;
    });
    if (dropped.empty())
        return;

    // A requester waiting on a dropped task would otherwise wait forever.
    for (const auto& task : dropped)
        task->cancel();
    // Consumers do not run under the lock, and must not take it either.
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
        result = executeAndRecord(id, details);
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

bool MonitorsTasks::executeAndRecord(std::uint32_t id, TasksProcessorTaskDetails* details)
{
    const bool result = execute(id, details);
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
    workingMonitors.clear();
    // Under the lock, so that no reader holds a copy of the list when it goes.
    const Autolock lock = autoLock();
    manager->releaseMonitors();
}

bool MonitorsTasks::execute(std::uint32_t id, TasksProcessorTaskDetails* details)
{
    if (const auto* task = dynamic_cast<const monitor_task*>(details))
        return task->action == monitor_task::SetValue && setValue(id, *task);
    if (const auto* task = dynamic_cast<const generic_task*>(details))
        return executeGeneric(id, *task);
    return false;
}

bool MonitorsTasks::executeGeneric(std::uint32_t id, const generic_task& task)
{
    switch (task.kind) {
    case generic_task::Enumerate:
        return enumerate(id);
    case generic_task::ApplyProfile:
        return applyProfile(id, task.profile);
    case generic_task::Custom:
        return runCustom(id, task);
    case generic_task::RestoreOriginal: {
        const bool restored = manager->restoreOriginalStates();
        readAllValues(id);
        return restored;
    }
    default:
        return false;
    }
}

bool MonitorsTasks::enumerate(std::uint32_t id)
{
    // Kept until the lock is held: a reader may hold the list being replaced.
    auto replaced = manager->monitors();
    const bool refreshed = manager->refresh();
    // A refresh that failed kept the list, and the ranges known for it.
    if (refreshed)
        workingMonitors = rangeKeeping(*manager->monitors());
    {
        const Autolock lock = autoLock();
        replaced.reset();
        raise(Event::MonitorsChanged, id);
    }
    readAllValues(id);
    return refreshed;
}

bool MonitorsTasks::runCustom(std::uint32_t id, const generic_task& task)
{
    const Autolock lock = autoLock();
    const bool result = task.function(lock);
    raise(Event::CustomDone, id);
    return result;
}

bool MonitorsTasks::setValue(std::uint32_t id, const monitor_task& task)
{
    const auto control = workingControlOf(task.monitorId);
    const MonitorLevel level = levelOf(task.value);
    if (!control || !hasValuesOf(task.monitorId) || !control->writeFraction(level, task.fraction))
        return false;

    const Autolock lock = autoLock();
    if (const auto entry = values->find(task.monitorId)) {
        entry->setFraction(level, task.fraction);
        entry->setModified(true);
    }
    raise(Event::ValuesChanged, id);
    return true;
}

bool MonitorsTasks::hasValuesOf(const std::wstring& monitorId)
{
    const Autolock lock = autoLock();
    return values->find(monitorId) != nullptr;
}

std::shared_ptr<RangeKeepingControl> MonitorsTasks::workingControlOf(const std::wstring& monitorId) const
{
    const auto monitor = std::find_if(workingMonitors.begin(), workingMonitors.end(),
                                      [&](const std::shared_ptr<MonitorManager>& listed) {
                                          return profileIdOf(*listed) == monitorId;
                                      });
    if (monitor == workingMonitors.end())
        return nullptr;
    return static_cast<const RangeKeepingMonitor&>(**monitor).rangeKeepingControl();
}

bool MonitorsTasks::applyProfile(std::uint32_t id, const std::shared_ptr<MonitorsProfile>& profile)
{
    MonitorsProfile toWrite;
    {
        const Autolock lock = autoLock();
        // Merging the current values into themselves would change nothing.
        if (profile && profile != values)
            values->assign(*profile, true);
        toWrite.copyFrom(*values);
    }
    toWrite.applyTo(workingMonitors);
    const Autolock lock = autoLock();
    raise(Event::ValuesChanged, id);
    return true;
}

void MonitorsTasks::readAllValues(std::uint32_t id)
{
    // Read into a copy, so that readers keep seeing whole values meanwhile;
    // the copy starts from the current values for the gains a read may miss.
    MonitorsProfile read;
    {
        const Autolock lock = autoLock();
        read.copyFrom(*values);
    }
    read.captureFrom(workingMonitors);
    const Autolock lock = autoLock();
    values->assign(read, false);
    raise(Event::ValuesChanged, id);
}

void MonitorsTasks::raise(int kind, std::uint32_t taskId)
{
    raiseEvent(Event(kind, taskId));
}
