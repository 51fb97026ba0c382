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
    const bool result = runner(taskId, taskDetails.get());
    if (onCompleted)
        onCompleted(result);
    return result;
}
