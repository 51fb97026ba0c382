#include "support/PerformsTasksInUiThread.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class LoggingWork : public PerformsTasksInUiThread {
public:
    LoggingWork(std::string name, std::vector<std::string>& log, std::function<void()> extra = {})
        : name(std::move(name)), log(log), extra(std::move(extra))
    {
    }
    void performTasks() override
    {
        log.push_back(name);
        if (extra)
            extra();
    }

private:
    std::string name;
    std::vector<std::string>& log;
    std::function<void()> extra;
};

TEST(PerformsTasksInUiThreadObjList, PerformsEveryEntryOncePerPassInOrder)
{
    std::vector<std::string> log;
    PerformsTasksInUiThreadObjList list;
    list.add(std::make_shared<LoggingWork>("a", log));
    list.add(std::make_shared<LoggingWork>("b", log));

    list.performTasks();
    list.performTasks();

    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "a", "b"}));
}

TEST(PerformsTasksInUiThreadObjList, EntryAddedDuringAPassRunsInThatPass)
{
    std::vector<std::string> log;
    PerformsTasksInUiThreadObjList list;
    bool added = false;
    list.add(std::make_shared<LoggingWork>("a", log, [&] {
        if (!added) {
            added = true;
            list.add(std::make_shared<LoggingWork>("late", log));
        }
    }));

    list.performTasks();

    EXPECT_EQ(log, (std::vector<std::string>{"a", "late"}));
}

} // namespace
