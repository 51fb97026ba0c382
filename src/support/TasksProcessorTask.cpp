#include "support/TasksProcessorTask.h"

#include <utility>

TasksProcessorTask::TasksProcessorTask(std::uint32_t id, std::unique_ptr<TasksProcessorTaskDetails> details,
                                       Runner runner, Completion onCompleted, bool waitable)
    : WaitableTask(waitable), taskId(id), runner(std::move(runner)), onCompleted(std::move(onCompleted)),
      taskDetails(std::move(details))
{
}

bool TasksProcessorTask::run()
{
    bool result = false;
    try {
        result = runner(taskId, taskDetails.get());
    } catch (...) {
        complete(false);
        throw;
    }
    complete(result);
    return result;
}

void TasksProcessorTask::complete(bool result)
{
    if (onCompleted)
        onCompleted(result);
}
