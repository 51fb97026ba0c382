#pragma once

#include "profiles/MonitorsProfile.h"
#include "support/TasksProcessor.h"
#include "support/kelRaisesVaEvents.h"
#include "tasks/PictureValue.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

class VtMonitorsManager;

// The queue every monitor operation passes through. Each task runs on the
// worker while holding this processor's lock, so a reader that takes
// autoLock() sees the monitor list, the controls and the current values only
// between tasks. Writes of one value to one monitor are coalesced: queuing a
// write drops any still-pending write of the same value, so a dragged slider
// never builds a backlog.
//
// Where each Event arrives, with which lock, and what its handlers may do.
// No handler ever waits for a task: the worker is the thread that would run it.
//   MonitorsChanged, ValuesChanged, CustomDone: on the worker, WITH the lock
//     held (the task's own). Handlers may read the monitor list and the
//     current values, and record work for another thread (the UI timer).
//     They must not take autoLock() nor queue a task (which takes it): that
//     throws std::system_error (resource_deadlock_would_occur) at once, and
//     the task that raised the event fails.
//   Started, Finished, QueueEmpty: on the worker, lock not held. Handlers may
//     take autoLock() briefly and may queue tasks.
//   Dropped: on the requester's thread (often the UI), in the middle of
//     queueTask(), with the lock released for the raise. Handlers must not
//     take the lock nor queue: the worker may have started a task meanwhile,
//     and the requester would wait for a device.
// onCompleted runs on the worker after Finished and QueueEmpty, without the
// lock, and may queue.
//
// The monitor list, its controls and the platform objects behind them are
// made on the worker, COM objects among them, and are released there when
// the worker ends; readers must not keep the list, a monitor or a control
// beyond the lock they read it under. After a stop the list reads empty.
class MonitorsTasks : public TasksProcessor, public kelRaisesVaEvents {
public:
    // Writes one value of one monitor; the only action is 0, set value.
    struct monitor_task : TasksProcessorTaskDetails {
        enum Action : int { SetValue = 0 };

        monitor_task(std::wstring monitorId, PictureValue value, float fraction, int action = SetValue)
            : action(action), monitorId(std::move(monitorId)), value(value), fraction(fraction)
        {
        }
        int action;
        std::wstring monitorId;
        PictureValue value;
        // Of the value's device range, 0..1.
        float fraction;
    };

    struct generic_task : TasksProcessorTaskDetails {
        enum Kind : int { Enumerate = 0, ApplyProfile = 2, Custom = 3, RestoreOriginal = 4 };
        using Function = std::function<bool(const Autolock& heldLock)>;

        explicit generic_task(int kind, std::shared_ptr<MonitorsProfile> profile = {}, Function function = {})
            : kind(kind), profile(std::move(profile)), function(std::move(function))
        {
        }
        int kind;
        // ApplyProfile: the values to merge in; empty means the current values.
        std::shared_ptr<MonitorsProfile> profile;
        // Custom: run with the lock the task runs under; an empty one is a programming error.
        Function function;
    };

    struct Event : kelVaEvent {
        enum Kind : int {
            Started = 0,
            Finished = 1,
            Dropped = 2,
            QueueEmpty = 3,
            MonitorsChanged = 4,
            ValuesChanged = 5,
            CustomDone = 6,
        };
        Event(int kind, std::uint32_t taskId) : kind(kind), taskId(taskId) {}
        int kind;
        // 0 where no task is meant.
        std::uint32_t taskId;
    };

    explicit MonitorsTasks(std::shared_ptr<VtMonitorsManager> monitorsManager);
    ~MonitorsTasks() override;

    std::shared_ptr<VtMonitorsManager> monitorsManager() const { return manager; }
    // Never empty; read and changed under autoLock().
    std::shared_ptr<MonitorsProfile> currentValues() const { return values; }

protected:
    // Called with heldLock held (the base makes sure); Dropped events are
    // raised with it released, on the requester's thread. A task that queues
    // from inside its function passes skipObsolete true: releasing the lock
    // it runs under would let readers in halfway through the task.
    void dropObsolete(const TasksProcessorTaskDetails* details, const Autolock& heldLock,
                      bool skipObsolete) override;
    bool runTask(std::uint32_t id, TasksProcessorTaskDetails* details) override;
    // Releases the monitor list and the platform manager on the worker,
    // inside its COM apartment.
    void releaseWorkerObjects() override;

private:
    // Executes the task under the lock and, if it succeeded, records the
    // monitors' new controlled states.
    bool executeLocked(std::uint32_t id, TasksProcessorTaskDetails* details);
    bool isQueueEmpty();
    bool execute(std::uint32_t id, TasksProcessorTaskDetails* details, const Autolock& heldLock);
    bool executeGeneric(std::uint32_t id, const generic_task& task, const Autolock& heldLock);
    bool setValue(std::uint32_t id, const monitor_task& task);
    bool applyProfile(std::uint32_t id, const std::shared_ptr<MonitorsProfile>& profile);
    void readAllValues(std::uint32_t id);
    MonitorManagerList monitorList() const;
    void raise(int kind, std::uint32_t taskId);

    std::shared_ptr<VtMonitorsManager> manager;
    // Made at construction rather than at the first read, so readers on other
    // threads never meet an empty pointer.
    const std::shared_ptr<MonitorsProfile> values = std::make_shared<MonitorsProfile>();
};
