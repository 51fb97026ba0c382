#include "support/PerformsTasksInUiThread.h"

#include <utility>

void PerformsTasksInUiThreadObjList::add(std::shared_ptr<PerformsTasksInUiThread> object)
{
    if (object)
        objects.push_back(std::move(object));
}

void PerformsTasksInUiThreadObjList::performTasks()
{
    // Indexed, and each entry held while it runs, so an entry may add another
    // (which then runs in this same pass) without invalidating the walk.
    for (std::size_t index = 0; index < objects.size(); ++index) {
        const auto object = objects[index];
        object->performTasks();
    }
}
