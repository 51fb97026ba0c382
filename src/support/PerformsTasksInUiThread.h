#pragma once

#include <memory>
#include <vector>

// Work that other threads leave for the UI thread; the main window's timer
// calls performTasks() on the UI thread, which must never block on a worker.
class PerformsTasksInUiThread {
public:
    virtual void performTasks() = 0;
    virtual ~PerformsTasksInUiThread() = default;
};

// The application's chain of UI-thread work, performed in the order added.
// Used on the UI thread only.
class PerformsTasksInUiThreadObjList : public PerformsTasksInUiThread {
public:
    void add(std::shared_ptr<PerformsTasksInUiThread> object);
    void performTasks() override;

private:
    std::vector<std::shared_ptr<PerformsTasksInUiThread>> objects;
};
