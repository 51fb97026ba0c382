#pragma once

#include "support/WaitableTask.h"

#include <cstdint>
#include <functional>
#include <memory>

// What a task is to do; each concrete processor derives its own kinds and
// tells them apart by dynamic type.
class TasksProcessorTaskDetails {
public:
    virtual ~TasksProcessorTaskDetails() = default;
};

// One queued task of a TasksProcessor, always held through shared_ptr.
class TasksProcessorTask : public WaitableTask {
public:
    using Runner = std::function<bool(std::uint32_t id, TasksProcessorTaskDetails* details)>;
    using Completion = std::function<void(bool result)>;

    TasksProcessorTask(std::uint32_t id, std::unique_ptr<TasksProcessorTaskDetails> details, Runner runner,
                       Completion onCompleted, bool waitable);

    std::uint32_t id() const { return taskId; }
    TasksProcessorTaskDetails* details() const { return taskDetails.get(); }

protected:
    // Calls the runner, then onCompleted with its result, both on the worker.
    // A runner that throws has failed: onCompleted gets false, and the
    // exception goes on.
    bool run() override;

private:
    void complete(bool result);

    std::uint32_t taskId;
    Runner runner;
    Completion onCompleted;
    std::unique_ptr<TasksProcessorTaskDetails> taskDetails;
};
