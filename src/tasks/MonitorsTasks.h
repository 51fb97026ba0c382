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

class RangeKeepingControl;
class VtMonitorsManager;

// The queue every monitor operation passes through. Writes of one value to
// one monitor are coalesced: queuing a write drops any still-pending write of
// the same value, so a dragged slider never builds a backlog.
//
// Nobody waits for a monitor but the worker. Only the worker calls devices,
// one task at a time, and it calls them without any lock held; so queueing a
// task and reading the monitors or their values never waits for a device,
// whichever thread does it (the UI thread above all: a drag queues a write on
// every scroll notification).
//
// The lock (autoLock()) is short. It guards the queue, pendingTaskCount() and
// currentValues(). The worker holds it only for steps in memory: taking the
// next task, finding a write's monitor and values entry, storing what a task
// wrote or read into currentValues, merging a profile in, running a Custom
// function, and raising MonitorsChanged, ValuesChanged and CustomDone. Whoever
// waits for it waits for one such step at most.
//
// What a holder of autoLock() may rely on:
// - currentValues() does not change until it lets go. Tasks change it in
//   steps of their own: a set-value stores its fraction once the device has
//   taken the write (while the write is on its way the values show the value
//   before it); ApplyProfile merges its profile in before it writes;
//   Enumerate and RestoreOriginal store what they read once every monitor is
//   read. Other threads read it; a change they make holds until the next read
//   of all values overwrites the entries of the monitors it reads.
// - monitorsManager()->monitors() is the list as published: an Enumerate
//   replaces it as a whole (never edits it), at any moment. The worker lets go
//   of a replaced list only while holding this lock, so a reader that keeps
//   the list, a monitor or a control no longer than its hold never becomes
//   the last owner of the COM objects inside, which must be released on the
//   worker.
// - On a listed monitor's control a reader may call only what the control
//   answers from what it learnt when it was made: isSupported,
//   isColorTemperatureSupported, controlName, name, controlMethodFor,
//   controlMethod. Reads, writes and states are the worker's.
// - pendingTaskCount() is the number of tasks queued and not started; the
//   task the worker is running is no longer pending. A task queued under the
//   same hold runs after every task counted, and after the running one.
//
// A set-value task writes with the range it already knows for that monitor
// and value, learnt by every read of it (all of them at Enumerate): one
// device call (a DDC/CI gain write still reads first inside the back-end,
// which sends only a changed gain). Only a write that fails reads the range
// again and, if the read succeeds, writes once more with it
// (RangeKeepingControl).
//
// Where each Event arrives, with which lock, and what its handlers may do.
// No handler ever waits for a task: the worker is the thread that would run it.
//   MonitorsChanged, ValuesChanged, CustomDone: on the worker, WITH the lock
//     held. Handlers may read the monitor list and the current values, and
//     record work for another thread (the UI timer). They must not take
//     autoLock() nor queue a task (which takes it): that throws
//     std::system_error (resource_deadlock_would_occur) at once, and the task
//     that raised the event fails.
//   Started, Finished, QueueEmpty: on the worker, lock not held. Handlers may
//     take autoLock() briefly and may queue tasks. By QueueEmpty,
//     pendingTaskCount() is 0 unless a task has been queued since.
//   Dropped: on the requester's thread (often the UI), in the middle of
//     queueTask(), with the lock released for the raise. Handlers must not
//     take the lock nor queue: the requester's queueing is half done.
// onCompleted runs on the worker after Finished and QueueEmpty, without the
// lock, and may queue.
//
// The monitor list, its controls and the platform objects behind them are
// made on the worker, COM objects among them, and are released there when
// the worker ends. After a stop the list reads empty.
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
        // Custom: runs on the worker with the lock held (heldLock), so it may
        // read and change currentValues() and queue (passing skipObsolete
        // true). It must not call a device: every requester, the UI thread
        // among them, would wait for it. An empty one is a programming error.
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
    // Executes the task and, if it succeeded, records the monitors' new
    // controlled states.
    bool executeAndRecord(std::uint32_t id, TasksProcessorTaskDetails* details);
    bool isQueueEmpty();
    bool execute(std::uint32_t id, TasksProcessorTaskDetails* details);
    bool executeGeneric(std::uint32_t id, const generic_task& task);
    bool enumerate(std::uint32_t id);
    bool runCustom(std::uint32_t id, const generic_task& task);
    bool setValue(std::uint32_t id, const monitor_task& task);
    bool hasValuesOf(const std::wstring& monitorId);
    std::shared_ptr<RangeKeepingControl> workingControlOf(const std::wstring& monitorId) const;
    bool applyProfile(std::uint32_t id, const std::shared_ptr<MonitorsProfile>& profile);
    void readAllValues(std::uint32_t id);
    void raise(int kind, std::uint32_t taskId);

    std::shared_ptr<VtMonitorsManager> manager;
    // Made at construction rather than at the first read, so readers on other
    // threads never meet an empty pointer.
    const std::shared_ptr<MonitorsProfile> values = std::make_shared<MonitorsProfile>();
    // The listed monitors as the worker uses them, each control keeping the
    // ranges it has read. The worker's alone: made at each Enumerate, let go
    // of when the worker ends.
    MonitorManagerList workingMonitors;
};
