#include "support/TasksProcessor.h"
#include "support/kelComInitialize.h"
#include "support/kelLiveThreads.h"

#include "support/TestLatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace {

struct Step : TasksProcessorTaskDetails {
    explicit Step(std::string name, bool succeeds = true, TestLatch* gate = nullptr)
        : name(std::move(name)), succeeds(succeeds), gate(gate)
    {
    }
    std::string name;
    bool succeeds;
    TestLatch* gate; // the worker holds on this step until the gate opens
    bool throws = false;
};

std::unique_ptr<TasksProcessorTaskDetails> step(std::string name, bool succeeds = true, TestLatch* gate = nullptr)
{
    return std::make_unique<Step>(std::move(name), succeeds, gate);
}

// A step whose runner throws, as a task with a programming error does.
std::unique_ptr<TasksProcessorTaskDetails> throwingStep(std::string name)
{
    auto details = std::make_unique<Step>(std::move(name));
    details->throws = true;
    return details;
}

struct TaskRun {
    std::uint32_t id;
    std::string name;
    bool operator==(const TaskRun&) const = default;
};

class RecordingProcessor : public TasksProcessor {
public:
    ~RecordingProcessor() override { requestStop(true); }

    std::vector<TaskRun> runs() const
    {
        const std::lock_guard lock(runsMutex);
        return recorded;
    }

protected:
    bool runTask(std::uint32_t id, TasksProcessorTaskDetails* details) override
    {
        const auto& current = dynamic_cast<const Step&>(*details);
        {
            const std::lock_guard lock(runsMutex);
            recorded.push_back({id, current.name});
        }
        if (current.gate)
            current.gate->wait();
        return current.succeeds;
    }

private:
    mutable std::mutex runsMutex;
    std::vector<TaskRun> recorded;
};

// Returns once the worker has taken the first task, so the queue's content no
// longer depends on how fast the worker started.
void waitUntilFirstTaskRuns(const RecordingProcessor& processor)
{
    while (processor.runs().empty())
        std::this_thread::yield();
}

TEST(TasksProcessor, RunsTasksInQueueOrderWithConsecutiveIds)
{
    RecordingProcessor processor;
    const auto a = processor.queueTask(step("A"));
    const auto b = processor.queueTask(step("B"));
    const auto c = processor.queueTask(step("C"), {}, true);

    c->wait();

    EXPECT_EQ(a->id(), 1u);
    EXPECT_EQ(b->id(), 2u);
    EXPECT_EQ(c->id(), 3u);
    EXPECT_EQ(processor.runs(), (std::vector<TaskRun>{{1, "A"}, {2, "B"}, {3, "C"}}));
    for (const auto& task : {a, b, c})
        EXPECT_EQ(task->state(), WaitableTask::Done);
}

TEST(TasksProcessor, StopRunsEveryTaskQueuedBeforeItThenEndsTheWorker)
{
    const int liveBefore = kelLiveThreads::count();
    RecordingProcessor processor;
    EXPECT_EQ(kelLiveThreads::count(), liveBefore + 1);
    TestLatch gate(1);
    processor.queueTask(step("held", true, &gate));
    const auto a = processor.queueTask(step("A"));
    const auto b = processor.queueTask(step("B"));
    const auto c = processor.queueTask(step("C"));

    processor.requestStop(false);
    gate.countDown();
    processor.requestStop(true);

    EXPECT_EQ(processor.runs(), (std::vector<TaskRun>{{1, "held"}, {2, "A"}, {3, "B"}, {4, "C"}}));
    for (const auto& task : {a, b, c})
        EXPECT_TRUE(task->state() == WaitableTask::Done && task->result());
    EXPECT_EQ(kelLiveThreads::count(), liveBefore);
}

TEST(TasksProcessor, DestructionDrainsTheQueueAndJoinsTheWorker)
{
    const int liveBefore = kelLiveThreads::count();
    std::vector<bool> completions;
    {
        RecordingProcessor processor;
        for (const char* name : {"A", "B"})
            processor.queueTask(step(name), [&](bool result) { completions.push_back(result); });
    }
    EXPECT_EQ(completions, (std::vector<bool>{true, true}));
    EXPECT_EQ(kelLiveThreads::count(), liveBefore);
}

TEST(TasksProcessor, TaskQueuedAfterStopIsRefusedAndCannotBeWaitedForever)
{
    RecordingProcessor processor;
    TestLatch gate(1);
    processor.queueTask(step("held", true, &gate));
    processor.requestStop(false);

    bool queuedCalled = false;
    bool completedCalled = false;
    const auto late = processor.queueTask(step("late"), [&](bool) { completedCalled = true; }, true,
                                          [&](TasksProcessorTask*) { queuedCalled = true; });
    gate.countDown();
    late->wait();
    processor.requestStop(true);

    EXPECT_EQ(late->state(), WaitableTask::Done);
    EXPECT_FALSE(late->result());
    EXPECT_EQ(late->id(), 0u);
    EXPECT_FALSE(queuedCalled);
    EXPECT_FALSE(completedCalled);
    EXPECT_EQ(processor.runs(), (std::vector<TaskRun>{{1, "held"}}));
}

TEST(TasksProcessor, WaitOnAFinishedTaskReturns)
{
    RecordingProcessor processor;
    const auto task = processor.queueTask(step("A"), {}, true);
    task->wait();
    processor.requestStop(true);

    task->wait();

    EXPECT_EQ(task->state(), WaitableTask::Done);
    EXPECT_TRUE(task->result());
}

TEST(TasksProcessor, FailingTaskReportsFalseAndTheNextTaskStillRuns)
{
    RecordingProcessor processor;
    std::vector<bool> completions;
    const auto failing = processor.queueTask(step("fails", false), [&](bool r) { completions.push_back(r); });
    const auto next = processor.queueTask(step("next"), [&](bool r) { completions.push_back(r); }, true);

    next->wait();

    EXPECT_FALSE(failing->result());
    EXPECT_TRUE(next->result());
    EXPECT_EQ(completions, (std::vector<bool>{false, true}));
}

TEST(TasksProcessor, OnQueuedLearnsTheIdBeforeTheWorkerRunsTheTask)
{
    RecordingProcessor processor;
    std::uint32_t queuedId = 0;
    WaitableTask::State stateWhenQueued = WaitableTask::Done;
    std::vector<TaskRun> runsWhenQueued{{0, "sentinel"}};
    const auto task = processor.queueTask(step("A"), {}, true, [&](TasksProcessorTask* queued) {
        queuedId = queued->id();
        stateWhenQueued = queued->state();
        runsWhenQueued = processor.runs();
    });

    task->wait();

    EXPECT_EQ(queuedId, task->id());
    EXPECT_EQ(stateWhenQueued, WaitableTask::Queued);
    EXPECT_TRUE(runsWhenQueued.empty());
    EXPECT_EQ(processor.runs(), (std::vector<TaskRun>{{queuedId, "A"}}));
}

TEST(TasksProcessor, QueueingWithoutTheLockHeldIsRejected)
{
    RecordingProcessor processor;
    const TasksProcessor::Autolock released = processor.autoLock();
    released->unlock();
    for (const TasksProcessor::Autolock& lock : {TasksProcessor::Autolock(), released})
        EXPECT_THROW(processor.queueTask(lock, false, step("A"), {}, false, {}), std::logic_error);
    EXPECT_TRUE(processor.runs().empty());
}

TEST(WaitableTask, WaitOnATaskThatIsNotWaitableIsRejected)
{
    RecordingProcessor processor;
    const auto task = processor.queueTask(step("A"));
    EXPECT_THROW(task->wait(), std::logic_error);
}

// Replaces a queued task of the same name with the new one, the way writes of
// one value are coalesced, and records what the hook saw.
class CoalescingProcessor : public RecordingProcessor {
public:
    struct HookCall {
        std::string name;
        bool skipObsolete;
        bool lockHeld;
        std::vector<std::uint32_t> queuedIds;
    };
    std::vector<HookCall> hookCalls;
    std::vector<std::uint32_t> dropped;
    bool stopInsideHook = false;

protected:
    void dropObsolete(const TasksProcessorTaskDetails* details, const Autolock& heldLock, bool skipObsolete) override
    {
        const auto& incoming = dynamic_cast<const Step&>(*details);
        std::vector<std::uint32_t> ids;
        for (const auto& queued : queue)
            ids.push_back(queued->id());
        hookCalls.push_back({incoming.name, skipObsolete, heldLock->isLocked(), ids});
        if (stopInsideHook) {
            heldLock->unlock();
            requestStop(false);
            heldLock->relock();
        }
        if (skipObsolete)
            return;
        std::erase_if(queue, [&](const auto& queued) {
            const bool obsolete = dynamic_cast<const Step&>(*queued->details()).name == incoming.name;
            if (obsolete)
                dropped.push_back(queued->id());
            return obsolete;
        });
    }
};

TEST(TasksProcessor, DropObsoleteRunsUnderTheHeldLockBeforeTheNewTaskExists)
{
    CoalescingProcessor processor;
    TestLatch gate(1);
    processor.queueTask(step("held", true, &gate));
    waitUntilFirstTaskRuns(processor);
    processor.queueTask(step("write"));
    processor.queueTask(step("other"));
    const auto kept = processor.queueTask(step("write"));
    std::shared_ptr<TasksProcessorTask> last;
    {
        const auto lock = processor.autoLock();
        last = processor.queueTask(lock, true, step("other"), {}, true, {});
    }
    gate.countDown();
    last->wait();

    ASSERT_EQ(processor.hookCalls.size(), 5u);
    EXPECT_EQ(processor.hookCalls[3].name, "write");
    EXPECT_EQ(processor.hookCalls[3].queuedIds, (std::vector<std::uint32_t>{2, 3}));
    EXPECT_EQ(processor.hookCalls[4].queuedIds, (std::vector<std::uint32_t>{3, 4}));
    EXPECT_TRUE(processor.hookCalls[4].skipObsolete);
    EXPECT_TRUE(std::all_of(processor.hookCalls.begin(), processor.hookCalls.end(),
                            [](const auto& call) { return call.lockHeld; }));
    EXPECT_FALSE(processor.hookCalls[0].skipObsolete);
    EXPECT_EQ(processor.dropped, (std::vector<std::uint32_t>{2}));
    EXPECT_EQ(kept->id(), 4u);
    EXPECT_EQ(processor.runs(), (std::vector<TaskRun>{{1, "held"}, {3, "other"}, {4, "write"}, {5, "other"}}));
}

TEST(TasksProcessor, StopRequestedWhileTheHookReleasedTheLockRefusesTheTask)
{
    CoalescingProcessor processor;
    processor.stopInsideHook = true;

    const auto task = processor.queueTask(step("A"), {}, true);
    task->wait();
    processor.requestStop(true);

    EXPECT_FALSE(task->result());
    EXPECT_TRUE(processor.runs().empty());
}

} // namespace

namespace {

// Runs each task holding the processor's lock, as a processor whose tasks
// change what readers see does, and records under that lock.
class LockingProcessor : public TasksProcessor {
public:
    ~LockingProcessor() override { requestStop(true); }

    void record(const std::string& event)
    {
        const std::lock_guard lock(eventsMutex);
        events.push_back(event);
    }
    std::vector<std::string> recorded()
    {
        const std::lock_guard lock(eventsMutex);
        return events;
    }
    using TasksProcessor::threadsWaitingForLock;

protected:
    bool runTask(std::uint32_t, TasksProcessorTaskDetails* details) override
    {
        const auto& current = dynamic_cast<const Step&>(*details);
        const Autolock held = autoLock();
        record(current.name);
        if (current.gate)
            current.gate->wait();
        if (current.throws)
            throw std::runtime_error(current.name);
        return true;
    }

private:
    std::mutex eventsMutex;
    std::vector<std::string> events;
};

} // namespace

TEST(TasksProcessor, AThreadWaitingForTheLockGetsItBeforeTheNextTask)
{
    LockingProcessor processor;
    TestLatch gate(1);
    processor.queueTask(step("first", true, &gate));
    processor.queueTask(step("second"));
    while (processor.recorded().empty())
        std::this_thread::yield();

    std::thread requester([&] {
        processor.queueTask(step("requested"), {}, false,
                            [&](TasksProcessorTask*) { processor.record("requester got the lock"); });
    });
    while (processor.threadsWaitingForLock() == 0)
        std::this_thread::yield();
    gate.countDown();
    requester.join();
    processor.queueTask(step("last"), {}, true)->wait();

    EXPECT_EQ(processor.recorded(),
              (std::vector<std::string>{"first", "requester got the lock", "second", "requested", "last"}));
}

TEST(TasksProcessor, ALockTakenTwiceOnOneThreadFailsAtOnceAndIsNotCountedAsWaiting)
{
    LockingProcessor processor;
    {
        const TasksProcessor::Autolock held = processor.autoLock();
        try {
            processor.autoLock();
            ADD_FAILURE() << "a second lock on the holding thread was granted";
        } catch (const std::system_error& refused) {
            EXPECT_EQ(refused.code(), std::errc::resource_deadlock_would_occur);
        }
        EXPECT_THROW(processor.queueTask(step("queued under the lock")), std::system_error);
        EXPECT_TRUE(held->isLocked());
        // The worker lets every counted waiter in before its next task: one
        // that was refused must not stay counted.
        ASSERT_EQ(processor.threadsWaitingForLock(), 0);
        // Letting go and taking it again is no second lock.
        held->unlock();
        held->relock();
        EXPECT_TRUE(held->isLocked());
    }

    processor.queueTask(step("after"), {}, true)->wait();

    EXPECT_EQ(processor.recorded(), (std::vector<std::string>{"after"}));
}

TEST(TasksProcessor, ATaskThatThrowsFailsItsWaitersAndReleasesTheLockAndTheWorkerGoesOn)
{
    LockingProcessor processor;
    std::vector<bool> completions;
    const auto throwing = processor.queueTask(throwingStep("throws"), [&](bool r) { completions.push_back(r); }, true);
    // Its runner takes the lock on the worker again: were it left held, this
    // task would fail on the worker's own second lock.
    const auto next = processor.queueTask(step("next"), [&](bool r) { completions.push_back(r); }, true);

    EXPECT_THROW(throwing->wait(), std::runtime_error);
    next->wait();

    EXPECT_EQ(throwing->state(), WaitableTask::Done);
    EXPECT_FALSE(throwing->result());
    EXPECT_TRUE(throwing->failure());
    EXPECT_TRUE(next->result());
    EXPECT_FALSE(next->failure());
    EXPECT_EQ(completions, (std::vector<bool>{false, true}));
    EXPECT_EQ(processor.recorded(), (std::vector<std::string>{"throws", "next"}));
    // And a thread that is not the worker gets the lock.
    EXPECT_TRUE(processor.autoLock()->isLocked());
}

namespace {

// Records when and where the worker releases what its tasks made.
class ReleasingProcessor : public RecordingProcessor {
public:
    struct Release {
        std::thread::id thread;
        bool initializerLiving;
        std::size_t tasksRunBefore;
    };

    ~ReleasingProcessor() override { requestStop(true); }

    std::vector<Release> releases()
    {
        const std::lock_guard lock(mutex);
        return recordedReleases;
    }
    std::thread::id workerThread()
    {
        const std::lock_guard lock(mutex);
        return worker;
    }

protected:
    bool runTask(std::uint32_t id, TasksProcessorTaskDetails* details) override
    {
        {
            const std::lock_guard lock(mutex);
            worker = std::this_thread::get_id();
        }
        return RecordingProcessor::runTask(id, details);
    }
    void releaseWorkerObjects() override
    {
        const std::size_t tasksRun = runs().size();
        const std::lock_guard lock(mutex);
        recordedReleases.push_back(
            {std::this_thread::get_id(), kelThreadInitializer::isLivingOnThisThread(), tasksRun});
    }

private:
    std::mutex mutex;
    std::vector<Release> recordedReleases;
    std::thread::id worker;
};

} // namespace

TEST(TasksProcessor, TheWorkerReleasesItsObjectsOnceAfterTheLastTaskBeforeItsThreadSetUpGoes)
{
    ReleasingProcessor processor;
    TestLatch gate(1);
    processor.queueTask(step("held", true, &gate));
    processor.queueTask(step("A"));
    processor.queueTask(step("B"));

    processor.requestStop(false);
    const std::size_t releasesWhileTasksWereLeft = processor.releases().size();
    gate.countDown();
    processor.requestStop(true);

    EXPECT_EQ(releasesWhileTasksWereLeft, 0u);
    const auto releases = processor.releases();
    ASSERT_EQ(releases.size(), 1u);
    EXPECT_EQ(releases[0].thread, processor.workerThread());
    EXPECT_NE(releases[0].thread, std::this_thread::get_id());
    EXPECT_TRUE(releases[0].initializerLiving);
    EXPECT_EQ(releases[0].tasksRunBefore, 3u);
    EXPECT_FALSE(kelThreadInitializer::isLivingOnThisThread()) << "the test thread has no initializer";
}
