#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/FakeMonitorsManager.h"
#include "monitor/VtMonitorsManager.h"
#include "monitor/VtMonitorsState.h"
#include "support/TestLatch.h"
#include "support/kelComInitialize.h"
#include "tasks/MonitorsTasks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

using Event = MonitorsTasks::Event;
using generic_task = MonitorsTasks::generic_task;
using monitor_task = MonitorsTasks::monitor_task;

struct Raised {
    int kind;
    std::uint32_t taskId;
    bool operator==(const Raised&) const = default;
};

// Records the events of the queue from whichever thread raises them. Once
// armed, it holds the worker in the next Started event until released, so
// the test can queue tasks while the worker is busy but the lock is free.
class EventRecorder : public kelConsumesVaEvents {
public:
    explicit EventRecorder(MonitorsTasks*& tasks) : tasks(tasks) {}

    void onVaEvent(kelRaisesVaEvents*, const kelVaEvent& event) override
    {
        const auto& raised = dynamic_cast<const Event&>(event);
        if (raised.kind == Event::Dropped) {
            // Dropped comes on the requester's thread with the lock released
            // for the raise; taking it shows that (still held, this would
            // throw). A real handler must not: it runs in the middle of the
            // requester's queueTask.
            tasks->autoLock();
        }
        TestLatch* hold = nullptr;
        TestLatch* reached = nullptr;
        {
            const std::lock_guard lock(mutex);
            recorded.push_back({raised.kind, raised.taskId});
            if (raised.kind == Event::Started) {
                std::swap(hold, armedGate);
                std::swap(reached, armedArrival);
            }
        }
        if (reached)
            reached->countDown();
        if (hold)
            hold->wait();
    }

    // arrival, if given, is counted down once the worker is held.
    void holdNextStart(TestLatch& gate, TestLatch* arrival = nullptr)
    {
        const std::lock_guard lock(mutex);
        armedGate = &gate;
        armedArrival = arrival;
    }

    std::vector<Raised> events(std::initializer_list<int> kinds = {}) const
    {
        const std::lock_guard lock(mutex);
        std::vector<Raised> matching;
        for (const auto& event : recorded) {
            if (kinds.size() == 0 || std::find(kinds.begin(), kinds.end(), event.kind) != kinds.end())
                matching.push_back(event);
        }
        return matching;
    }

    void clear()
    {
        const std::lock_guard lock(mutex);
        recorded.clear();
    }

private:
    MonitorsTasks*& tasks;
    mutable std::mutex mutex;
    std::vector<Raised> recorded;
    TestLatch* armedGate = nullptr;
    TestLatch* armedArrival = nullptr;
};

class MonitorsTasksTest : public testing::Test {
protected:
    void SetUp() override
    {
        first->fakeControl->contrast = {0, 50, 100};
        second->fakeControl->brightness = {0, 20, 50};
        second->fakeControl->savedState = "original of the second";
        platform->publish({first, second});
        tasks = std::make_unique<MonitorsTasks>(std::make_shared<VtMonitorsManager>(
            sameFakePlatform(platform), std::make_shared<DisplayDeviceInfoDb>(),
            std::make_shared<VtMonitorsState>(Original), std::make_shared<VtMonitorsState>(Controlled),
            ControlMethodHardware));
        rawTasks = tasks.get();
        tasks->addConsumer(&recorder);
        ASSERT_TRUE(run(std::make_unique<generic_task>(generic_task::Enumerate)));
        recorder.clear();
    }

    // Queues the task and waits for it; every task queued before it has run by then.
    bool run(std::unique_ptr<TasksProcessorTaskDetails> details)
    {
        const auto task = tasks->queueTask(std::move(details), {}, true);
        task->wait();
        return task->result();
    }

    std::shared_ptr<TasksProcessorTask> queue(std::unique_ptr<TasksProcessorTaskDetails> details)
    {
        return tasks->queueTask(std::move(details));
    }

    static std::unique_ptr<TasksProcessorTaskDetails> write(const wchar_t* id, PictureValue value, float fraction)
    {
        return std::make_unique<monitor_task>(id, value, fraction);
    }

    // Does nothing; queued last and waited for, it marks the end of the queue.
    bool drain()
    {
        return run(std::make_unique<generic_task>(generic_task::Custom, nullptr, [](const auto&) { return true; }));
    }

    std::shared_ptr<MonitorProfile> current(const std::wstring& id)
    {
        auto guard = tasks->autoLock();
        return tasks->currentValues()->find(id);
    }

    int controlledCaptures(const FakeMonitorControl& control)
    {
        return static_cast<int>(std::count(control.stateCalls.begin(), control.stateCalls.end(), "save Controlled"));
    }

    std::shared_ptr<FakeMonitorsManager> platform = std::make_shared<FakeMonitorsManager>();
    std::shared_ptr<FakeMonitorManager> first = makeFakeMonitor(L"Generic PnP Monitor", L"MONITOR\\AAA0001");
    std::shared_ptr<FakeMonitorManager> second = makeFakeMonitor(L"Generic PnP Monitor", L"MONITOR\\BBB0002");
    MonitorsTasks* rawTasks = nullptr;
    EventRecorder recorder{rawTasks};
    // Declared last: destroyed first, draining its queue while the rest still lives.
    std::unique_ptr<MonitorsTasks> tasks;
};

} // namespace

TEST_F(MonitorsTasksTest, EnumerateListsTheMonitorsAndReadsTheirValues)
{
    const auto task = tasks->queueTask(std::make_unique<generic_task>(generic_task::Enumerate), {}, true);
    task->wait();

    EXPECT_TRUE(task->result());
    EXPECT_EQ(recorder.events({Event::MonitorsChanged, Event::ValuesChanged}),
              (std::vector<Raised>{{Event::MonitorsChanged, task->id()}, {Event::ValuesChanged, task->id()}}));
    auto guard = tasks->autoLock();
    ASSERT_EQ(tasks->monitorsManager()->monitors()->size(), 2u);
    const auto values = tasks->currentValues();
    ASSERT_EQ(values->monitors.size(), 2u);
    EXPECT_FLOAT_EQ(values->find(L"1")->brightness, 0.5f);
    EXPECT_FLOAT_EQ(values->find(L"2")->brightness, 0.4f);
}

TEST_F(MonitorsTasksTest, WritesQueuedWhileTheWorkerIsBusyLeaveOnlyTheLast)
{
    TestLatch gate(1);
    recorder.holdNextStart(gate);
    queue(std::make_unique<generic_task>(generic_task::Custom, nullptr, [](const auto&) { return true; }));
    std::vector<std::shared_ptr<TasksProcessorTask>> writes;
    for (int step = 1; step <= 9; ++step)
        writes.push_back(tasks->queueTask(write(L"1", PictureValue::Brightness, 0.05f * step), {}, true));
    writes.push_back(queue(write(L"1", PictureValue::Brightness, 0.75f)));
    gate.countDown();
    ASSERT_TRUE(drain());

    std::vector<Raised> expectedDrops;
    for (std::size_t index = 0; index + 1 < writes.size(); ++index) {
        expectedDrops.push_back({Event::Dropped, writes[index]->id()});
        // A dropped task ends without running, so nobody waits for it forever.
        writes[index]->wait();
        EXPECT_FALSE(writes[index]->result());
    }
    EXPECT_EQ(recorder.events({Event::Dropped}), expectedDrops);
    EXPECT_TRUE(writes.back()->result());
    EXPECT_EQ(first->fakeControl->brightness.sets, 1);
    EXPECT_EQ(first->fakeControl->brightness.current, 75u);
    EXPECT_EQ(current(L"1")->brightness, 0.75f);
}

TEST_F(MonitorsTasksTest, WritesOfOtherValuesOrMonitorsAndGenericTasksAreNotDropped)
{
    TestLatch gate(1);
    recorder.holdNextStart(gate);
    queue(std::make_unique<generic_task>(generic_task::ApplyProfile));
    queue(std::make_unique<generic_task>(generic_task::Custom, nullptr, [](const auto&) { return true; }));
    queue(write(L"1", PictureValue::Brightness, 0.25f));
    {
        // A requester that holds the lock may ask to keep the pending writes.
        const auto lock = tasks->autoLock();
        tasks->queueTask(lock, true, write(L"1", PictureValue::Brightness, 0.3f), {}, false, {});
    }
    queue(write(L"1", PictureValue::Contrast, 0.75f));
    queue(write(L"2", PictureValue::Brightness, 0.5f));
    queue(write(L"1", PictureValue::Red, 0.2f));
    queue(std::make_unique<monitor_task>(L"1", PictureValue::Brightness, 0.9f, 1));
    gate.countDown();
    ASSERT_TRUE(drain());

    EXPECT_TRUE(recorder.events({Event::Dropped}).empty());
    EXPECT_EQ(first->fakeControl->brightness.current, 30u);
    EXPECT_EQ(first->fakeControl->contrast.current, 75u);
    EXPECT_EQ(first->fakeControl->gains[Red].current, 20u);
    EXPECT_EQ(second->fakeControl->brightness.current, 25u);
    EXPECT_EQ(current(L"1")->gains[Red], 0.2f);
}

namespace {

// A pass's profile: the monitors it names, each with its brightness and,
// when withGains, every colour channel. None: the current values.
struct PassProfile {
    std::vector<std::wstring> ids;
    float brightness = 0.0f;
    bool withGains = true;

    std::shared_ptr<MonitorsProfile> make() const
    {
        if (ids.empty())
            return nullptr;
        auto profile = std::make_shared<MonitorsProfile>();
        for (const auto& id : ids) {
            auto& entry = profile->monitors[id] = std::make_shared<MonitorProfile>();
            entry->brightness = brightness;
            if (!withGains)
                entry->gains.clear();
        }
        return profile;
    }
};

struct PassCase {
    const char* label;
    std::vector<PassProfile> passes;
    // The indexes of the passes a later one covers.
    std::vector<std::size_t> dropped;
    std::uint32_t firstBrightness;

    friend void PrintTo(const PassCase& c, std::ostream* out) { *out << c.label; }
};

const PassProfile current{};
const PassProfile bothDim{{L"1", L"2"}, 0.2f};
const PassProfile bothBright{{L"1", L"2"}, 0.6f};
const PassProfile firstBright{{L"1"}, 0.6f};
const PassProfile firstBrightWithoutGains{{L"1"}, 0.6f, false};
const PassProfile firstDim{{L"1"}, 0.2f};

class ApplyPassCoverTest : public MonitorsTasksTest, public testing::WithParamInterface<PassCase> {};

INSTANTIATE_TEST_SUITE_P(
    Passes, ApplyPassCoverTest,
    testing::Values(PassCase{"CurrentValuesTwice", {current, current}, {0}, 50},
                    PassCase{"CurrentValuesThenAProfile", {current, bothBright}, {0}, 60},
                    PassCase{"AProfileThenCurrentValues", {bothDim, current}, {}, 20},
                    PassCase{"AProfileThenOneCoveringIt", {bothDim, bothBright}, {0}, 60},
                    PassCase{"TheSameProfileThreeTimes", {bothDim, bothDim, bothDim}, {0, 1}, 20},
                    PassCase{"AProfileThenANarrowerOne", {bothDim, firstBright}, {}, 60},
                    PassCase{"AProfileThenOneWithoutItsGains", {firstDim, firstBrightWithoutGains}, {}, 60},
                    PassCase{"ANarrowerProfileThenAWiderOne", {firstDim, current, bothBright}, {0, 1}, 60}),
    [](const testing::TestParamInfo<PassCase>& info) { return std::string(info.param.label); });

} // namespace

// Apply passes queued while the worker is busy: a pass that a later one
// covers is dropped before it starts; what the monitors end with is what
// running every pass would have left.
TEST_P(ApplyPassCoverTest, APassThatALaterOneCoversIsDropped)
{
    const PassCase& c = GetParam();
    TestLatch gate(1);
    recorder.holdNextStart(gate);
    queue(std::make_unique<generic_task>(generic_task::Custom, nullptr, [](const auto&) { return true; }));
    std::vector<std::shared_ptr<TasksProcessorTask>> passes;
    for (const PassProfile& pass : c.passes)
        passes.push_back(queue(std::make_unique<generic_task>(generic_task::ApplyProfile, pass.make())));
    const int setsBefore = first->fakeControl->brightness.sets;
    gate.countDown();
    ASSERT_TRUE(drain());

    std::vector<Raised> expectedDrops;
    for (const std::size_t index : c.dropped)
        expectedDrops.push_back({Event::Dropped, passes[index]->id()});
    EXPECT_EQ(recorder.events({Event::Dropped}), expectedDrops);
    EXPECT_EQ(first->fakeControl->brightness.sets - setsBefore, static_cast<int>(c.passes.size() - c.dropped.size()));
    EXPECT_EQ(first->fakeControl->brightness.current, c.firstBrightness);
}

// A user action's step: add to every monitor's brightness and contrast,// A user action's step: add to every monitor's brightness and contrast,
// clamped to 0..1, and report whether anything changed; only then are the
// new values applied.
TEST_F(MonitorsTasksTest, CustomStepThatChangesNothingIsNotFollowedByAnApply)
{
    for (const std::uint32_t startingBrightness : {100u, 50u}) {
        first->fakeControl->brightness.current = startingBrightness;
        first->fakeControl->contrast.current = 100;
        second->fakeControl->brightness.current = 50;
        second->fakeControl->contrast.current = 100;
        ASSERT_TRUE(run(std::make_unique<generic_task>(generic_task::Enumerate)));
        recorder.clear();
        const int setsBefore = first->fakeControl->brightness.sets + second->fakeControl->brightness.sets;

        bool lockHeld = false;
        auto step = [this, &lockHeld](const TasksProcessor::Autolock& heldLock) {
            lockHeld = heldLock && heldLock->isLocked();
            bool changed = false;
            for (const auto& [id, values] : tasks->currentValues()->monitors) {
                for (float* fraction : {&values->brightness, &values->contrast}) {
                    const float stepped = std::clamp(*fraction + 0.1f, 0.0f, 1.0f);
                    changed |= stepped != *fraction;
                    *fraction = stepped;
                }
            }
            return changed;
        };
        const auto custom = tasks->queueTask(
            std::make_unique<generic_task>(generic_task::Custom, nullptr, step),
            [this](bool changed) {
                if (changed)
                    queue(std::make_unique<generic_task>(generic_task::ApplyProfile));
            },
            true);
        custom->wait();
        ASSERT_TRUE(drain());

        const bool expectChange = startingBrightness != 100;
        EXPECT_TRUE(lockHeld);
        EXPECT_EQ(custom->result(), expectChange);
        const auto done = recorder.events({Event::CustomDone});
        ASSERT_FALSE(done.empty());
        EXPECT_EQ(done.front(), (Raised{Event::CustomDone, custom->id()}));
        const int writes = first->fakeControl->brightness.sets + second->fakeControl->brightness.sets - setsBefore;
        EXPECT_EQ(writes, expectChange ? 2 : 0);
        EXPECT_EQ(first->fakeControl->brightness.current, expectChange ? 60u : 100u);
    }
}

TEST_F(MonitorsTasksTest, QueueEmptyFollowsTheLastFinishedOnce)
{
    TestLatch gate(1);
    recorder.holdNextStart(gate);
    const auto a = queue(write(L"1", PictureValue::Brightness, 0.1f));
    const auto b = queue(write(L"2", PictureValue::Brightness, 0.2f));
    const auto c = tasks->queueTask(write(L"1", PictureValue::Contrast, 0.3f), {}, true);
    gate.countDown();
    c->wait();

    EXPECT_EQ(recorder.events({Event::Started, Event::Finished, Event::QueueEmpty}),
              (std::vector<Raised>{{Event::Started, a->id()},
                                   {Event::Finished, a->id()},
                                   {Event::Started, b->id()},
                                   {Event::Finished, b->id()},
                                   {Event::Started, c->id()},
                                   {Event::Finished, c->id()},
                                   {Event::QueueEmpty, 0}}));
}

TEST_F(MonitorsTasksTest, SetValueForAnUnknownMonitorOrActionFailsWithoutTouchingTheDevice)
{
    {
        auto guard = tasks->autoLock();
        tasks->currentValues()->monitors.erase(L"2");
    }
    struct Case {
        const wchar_t* id;
        int action;
    };
    for (const auto& c : {Case{L"2", 0}, Case{L"9", 0}, Case{L"1", 1}}) {
        recorder.clear();
        const auto task =
            tasks->queueTask(std::make_unique<monitor_task>(c.id, PictureValue::Brightness, 0.9f, c.action), {}, true);
        task->wait();
        EXPECT_FALSE(task->result()) << c.id;
        EXPECT_EQ(recorder.events({Event::Finished, Event::ValuesChanged}),
                  (std::vector<Raised>{{Event::Finished, task->id()}}));
    }
    EXPECT_EQ(first->fakeControl->brightness.sets, 0);
    EXPECT_EQ(second->fakeControl->brightness.sets, 0);
    EXPECT_FALSE(current(L"2"));
}

TEST_F(MonitorsTasksTest, FailedWriteKeepsTheOldValueAndTheQueueGoesOn)
{
    first->fakeControl->contrast.setFails = true;
    const int capturesBefore = controlledCaptures(*first->fakeControl);
    const auto before = queue(write(L"1", PictureValue::Brightness, 0.25f));
    const auto failing = queue(write(L"1", PictureValue::Contrast, 0.8f));
    const auto after = queue(write(L"2", PictureValue::Brightness, 0.5f));
    ASSERT_TRUE(drain());

    EXPECT_TRUE(before->result());
    EXPECT_FALSE(failing->result());
    EXPECT_TRUE(after->result());
    EXPECT_EQ(first->fakeControl->contrast.current, 50u);
    EXPECT_FLOAT_EQ(current(L"1")->contrast, 0.5f);
    EXPECT_EQ(second->fakeControl->brightness.current, 25u);
    const auto changed = recorder.events({Event::ValuesChanged});
    EXPECT_EQ(std::count(changed.begin(), changed.end(), Raised{Event::ValuesChanged, failing->id()}), 0);
    EXPECT_EQ(recorder.events({Event::Finished}).size(), 4u);
    // The two writes and the draining task that succeeded, each recording the controlled state.
    EXPECT_EQ(controlledCaptures(*first->fakeControl) - capturesBefore, 3);
}

TEST_F(MonitorsTasksTest, ApplyProfileWritesOnlyMonitorsItNamesAndKeepsUnknownIdsOut)
{
    auto profile = std::make_shared<MonitorsProfile>();
    profile->monitors[L"2"] = std::make_shared<MonitorProfile>();
    profile->monitors[L"2"]->brightness = 0.6f;
    profile->monitors[L"9"] = std::make_shared<MonitorProfile>();
    const int firstSets = first->fakeControl->brightness.sets;

    ASSERT_TRUE(run(std::make_unique<generic_task>(generic_task::ApplyProfile, profile)));

    EXPECT_EQ(second->fakeControl->brightness.current, 30u);
    EXPECT_EQ(second->fakeControl->brightness.sets, 1);
    EXPECT_FLOAT_EQ(current(L"2")->brightness, 0.6f);
    EXPECT_FALSE(current(L"9"));
    // The first monitor gets its own current values again.
    EXPECT_EQ(first->fakeControl->brightness.sets, firstSets + 1);
    EXPECT_EQ(first->fakeControl->brightness.current, 50u);
}

TEST_F(MonitorsTasksTest, RestoreOriginalRestoresKeptStatesAndRereadsEveryMonitor)
{
    {
        auto guard = tasks->autoLock();
        first->fakeControl->brightness.current = 30;
    }
    const auto task = tasks->queueTask(std::make_unique<generic_task>(generic_task::RestoreOriginal), {}, true);
    task->wait();

    EXPECT_TRUE(task->result());
    EXPECT_EQ(first->fakeControl->restores, 0);
    EXPECT_EQ(second->fakeControl->restoredState, "original of the second");
    EXPECT_FLOAT_EQ(current(L"1")->brightness, 0.3f);
    EXPECT_EQ(recorder.events({Event::ValuesChanged}), (std::vector<Raised>{{Event::ValuesChanged, task->id()}}));
}

namespace {

// Subscribed for its lifetime; in every handler it tries the lock and notes,
// per event kind, whether the raising thread held it already.
class LockProbe : public kelConsumesVaEvents {
public:
    explicit LockProbe(MonitorsTasks& tasks) : tasks(tasks) { tasks.addConsumer(this); }
    ~LockProbe() override { tasks.removeConsumer(this); }

    void onVaEvent(kelRaisesVaEvents*, const kelVaEvent& event) override
    {
        bool heldAlready = false;
        try {
            tasks.autoLock();
        } catch (const std::system_error& refused) {
            heldAlready = refused.code() == std::errc::resource_deadlock_would_occur;
        }
        const std::lock_guard lock(mutex);
        held[dynamic_cast<const Event&>(event).kind].insert(heldAlready);
    }

    std::map<int, std::set<bool>> heldByKind()
    {
        const std::lock_guard lock(mutex);
        return held;
    }

private:
    MonitorsTasks& tasks;
    std::mutex mutex;
    std::map<int, std::set<bool>> held;
};

// Makes the mistake the header warns of, once: takes the lock in the first
// ValuesChanged handler, on the worker that holds it, and lets the failure go.
class ValuesChangedLockTaker : public kelConsumesVaEvents {
public:
    explicit ValuesChangedLockTaker(MonitorsTasks& tasks) : tasks(tasks) { tasks.addConsumer(this); }
    ~ValuesChangedLockTaker() override { tasks.removeConsumer(this); }

    void onVaEvent(kelRaisesVaEvents*, const kelVaEvent& event) override
    {
        if (dynamic_cast<const Event&>(event).kind == Event::ValuesChanged && !tried) {
            tried = true;
            tasks.autoLock();
        }
    }

private:
    MonitorsTasks& tasks;
    bool tried = false;
};

} // namespace

TEST_F(MonitorsTasksTest, OnlyMonitorsChangedValuesChangedAndCustomDoneArriveWithTheLockHeld)
{
    LockProbe probe(*tasks);
    TestLatch gate(1);
    recorder.holdNextStart(gate);
    queue(std::make_unique<generic_task>(generic_task::Enumerate));
    queue(write(L"1", PictureValue::Brightness, 0.2f));
    queue(write(L"1", PictureValue::Brightness, 0.3f));
    gate.countDown();
    ASSERT_TRUE(drain());

    EXPECT_EQ(probe.heldByKind(), (std::map<int, std::set<bool>>{{Event::Started, {false}},
                                                                 {Event::Finished, {false}},
                                                                 {Event::Dropped, {false}},
                                                                 {Event::QueueEmpty, {false}},
                                                                 {Event::MonitorsChanged, {true}},
                                                                 {Event::ValuesChanged, {true}},
                                                                 {Event::CustomDone, {true}}}));
}

TEST_F(MonitorsTasksTest, AHandlerThatTakesTheLockItRunsUnderFailsItsTaskAndTheQueueGoesOn)
{
    std::shared_ptr<TasksProcessorTask> failing;
    {
        const ValuesChangedLockTaker taker(*tasks);
        failing = tasks->queueTask(write(L"1", PictureValue::Brightness, 0.25f), {}, true);
        try {
            failing->wait();
            ADD_FAILURE() << "the second lock on the worker went unnoticed";
        } catch (const std::system_error& refused) {
            EXPECT_EQ(refused.code(), std::errc::resource_deadlock_would_occur);
        }
    }

    EXPECT_FALSE(failing->result());
    // Whoever follows the queue still learns that the task ended.
    EXPECT_EQ(recorder.events({Event::Finished, Event::QueueEmpty}),
              (std::vector<Raised>{{Event::Finished, failing->id()}, {Event::QueueEmpty, 0}}));
    // The worker survived and let go of the lock: the next write runs there
    // under the lock again, and this thread reads under it.
    ASSERT_TRUE(run(write(L"1", PictureValue::Brightness, 0.75f)));
    EXPECT_EQ(first->fakeControl->brightness.current, 75u);
    EXPECT_FLOAT_EQ(current(L"1")->brightness, 0.75f);
}

namespace {

// Where the platform manager of a refresh was destroyed; with it go the
// platform's monitors and their controls.
struct PlatformRelease {
    bool released = false;
    std::thread::id thread;
    bool threadInitializerLiving = false;
};

class ProbedPlatform : public FakeMonitorsManager {
public:
    explicit ProbedPlatform(PlatformRelease& release) : release(release) {}
    ~ProbedPlatform() override
    {
        release = {true, std::this_thread::get_id(), kelThreadInitializer::isLivingOnThisThread()};
    }

private:
    PlatformRelease& release;
};

} // namespace

TEST(MonitorsTasksStop, TheWorkerReleasesTheMonitorsBeforeItEndsAndReadersThenFindAnEmptyList)
{
    PlatformRelease release;
    auto tasks = std::make_unique<MonitorsTasks>(std::make_shared<VtMonitorsManager>(
        [&release](ControlMethod) -> std::shared_ptr<MonitorsManager> {
            auto platform = std::make_shared<ProbedPlatform>(release);
            platform->publish({makeFakeMonitor(L"Generic PnP Monitor", L"MONITOR\\AAA0001")});
            return platform;
        },
        std::make_shared<DisplayDeviceInfoDb>(), std::make_shared<VtMonitorsState>(Original),
        std::make_shared<VtMonitorsState>(Controlled), ControlMethodHardware));
    std::thread::id worker;
    tasks->queueTask(std::make_unique<generic_task>(generic_task::Enumerate));
    const auto noted = tasks->queueTask(std::make_unique<generic_task>(generic_task::Custom, nullptr,
                                                                       [&worker](const auto&) {
                                                                           worker = std::this_thread::get_id();
                                                                           return true;
                                                                       }),
                                        {}, true);
    noted->wait();
    std::weak_ptr<MonitorManager> listed;
    {
        const auto guard = tasks->autoLock();
        ASSERT_EQ(tasks->monitorsManager()->monitors()->size(), 1u);
        listed = tasks->monitorsManager()->monitors()->front();
    }
    EXPECT_FALSE(release.released);

    tasks->requestStop(true);

    EXPECT_TRUE(release.released);
    EXPECT_EQ(release.thread, worker);
    EXPECT_TRUE(release.threadInitializerLiving) << "released after the worker left its apartment";
    EXPECT_TRUE(listed.expired());
    const auto guard = tasks->autoLock();
    const auto afterStop = tasks->monitorsManager()->monitors();
    ASSERT_TRUE(afterStop);
    EXPECT_TRUE(afterStop->empty());
}

TEST_F(MonitorsTasksTest, ASetValueWritesWithTheRangeReadAtEnumerationAndReadsNothing)
{
    const int getsBefore = second->fakeControl->brightness.gets;

    ASSERT_TRUE(run(write(L"2", PictureValue::Brightness, 0.3f)));

    EXPECT_EQ(second->fakeControl->brightness.current, 15u);
    EXPECT_EQ(second->fakeControl->brightness.sets, 1);
    EXPECT_EQ(second->fakeControl->brightness.gets, getsBefore);
}

namespace {

// Counts the pending tasks, under the lock, whenever the queue says it is empty.
class PendingAtQueueEmpty : public kelConsumesVaEvents {
public:
    explicit PendingAtQueueEmpty(MonitorsTasks& tasks) : tasks(tasks) { tasks.addConsumer(this); }
    ~PendingAtQueueEmpty() override { tasks.removeConsumer(this); }

    void onVaEvent(kelRaisesVaEvents*, const kelVaEvent& event) override
    {
        if (dynamic_cast<const Event&>(event).kind != Event::QueueEmpty)
            return;
        const auto lock = tasks.autoLock();
        counts.push_back(tasks.pendingTaskCount());
    }

    // Written on the worker only; read once the worker has gone past.
    std::vector<std::size_t> counts;

private:
    MonitorsTasks& tasks;
};

} // namespace

TEST_F(MonitorsTasksTest, PendingTasksAreTheQueuedOnesNotTheRunningOneAndAreCountedUnderTheLock)
{
    PendingAtQueueEmpty atQueueEmpty(*tasks);
    TestLatch gate(1);
    TestLatch held(1);
    recorder.holdNextStart(gate, &held);
    queue(std::make_unique<generic_task>(generic_task::Custom, nullptr, [](const auto&) { return true; }));
    queue(write(L"1", PictureValue::Brightness, 0.25f));
    const auto last = tasks->queueTask(write(L"2", PictureValue::Brightness, 0.5f), {}, true);
    held.wait();
    std::size_t whileTheFirstRuns = 0;
    {
        const auto lock = tasks->autoLock();
        whileTheFirstRuns = tasks->pendingTaskCount();
    }
    EXPECT_THROW(tasks->pendingTaskCount(), std::logic_error);
    gate.countDown();
    // Nothing is queued from here on, so the queue is empty once, after the last task.
    last->wait();

    EXPECT_EQ(whileTheFirstRuns, 2u);
    EXPECT_EQ(atQueueEmpty.counts, std::vector<std::size_t>{0});
    const auto lock = tasks->autoLock();
    EXPECT_EQ(tasks->pendingTaskCount(), 0u);
}

TEST_F(MonitorsTasksTest, AMonitorThatGoesFailsItsWritesQuietlyAndTheOtherMonitorIsStillWritten)
{
    ASSERT_TRUE(run(write(L"1", PictureValue::Brightness, 0.3f)));
    first->fakeControl->brightness.getFails = true;
    first->fakeControl->brightness.setFails = true;
    const int getsBefore = first->fakeControl->brightness.gets;
    recorder.clear();

    std::vector<std::shared_ptr<TasksProcessorTask>> lost;
    for (const float fraction : {0.4f, 0.5f, 0.6f}) {
        lost.push_back(tasks->queueTask(write(L"1", PictureValue::Brightness, fraction), {}, true));
        lost.back()->wait();
        ASSERT_TRUE(run(write(L"2", PictureValue::Brightness, fraction)));
    }

    for (const auto& task : lost)
        EXPECT_FALSE(task->result());
    // The first write finds out (a write and a read); the range is then forgotten, and each later one is one read.
    EXPECT_EQ(first->fakeControl->brightness.sets, 2);
    EXPECT_EQ(first->fakeControl->brightness.gets - getsBefore, 3);
    EXPECT_FLOAT_EQ(current(L"1")->brightness, 0.3f);
    EXPECT_EQ(second->fakeControl->brightness.current, 30u);
    const auto changed = recorder.events({Event::ValuesChanged});
    for (const auto& task : lost)
        EXPECT_EQ(std::count(changed.begin(), changed.end(), Raised{Event::ValuesChanged, task->id()}), 0);
}

namespace {

// A brightness write that stays in the device until the test lets it go, as
// a DDC/CI write stays on the bus. If the test never lets it go (because the
// test thread waits for the write itself) it gives up after a while instead
// of hanging, and says so.
class HeldWriteControl : public FakeMonitorControl {
public:
    HeldWriteControl() : FakeMonitorControl(L"DDC/CI", ControlMethodHardware) {}

    bool setBrightness(std::uint32_t value) override
    {
        if (holdNext.exchange(false)) {
            entered.countDown();
            if (!release.waitFor(std::chrono::seconds(20)))
                gaveUp = true;
        }
        return FakeMonitorControl::setBrightness(value);
    }

    std::atomic<bool> holdNext{true};
    TestLatch entered{1};
    TestLatch release{1};
    std::atomic<bool> gaveUp{false};
};

} // namespace

TEST_F(MonitorsTasksTest, NeitherQueueingNorReadingWaitsForAWriteTheDeviceIsBusyWith)
{
    const auto held = std::make_shared<HeldWriteControl>();
    FakeDisplayDevice::Fields fields;
    fields.displayName = L"Generic PnP Monitor";
    fields.instanceName = L"MONITOR\\CCC0003";
    platform->publish({std::make_shared<FakeMonitorManager>(std::make_shared<FakeDisplayDevice>(fields), held)});
    ASSERT_TRUE(run(std::make_unique<generic_task>(generic_task::Enumerate)));
    std::wstring id;
    {
        const auto lock = tasks->autoLock();
        id = profileIdOf(*tasks->monitorsManager()->monitors()->at(0));
    }

    queue(std::make_unique<monitor_task>(id, PictureValue::Brightness, 0.8f));
    ASSERT_TRUE(held->entered.waitFor(std::chrono::seconds(20))) << "the write never reached the device";
    // The worker is inside the device's write now.
    queue(std::make_unique<monitor_task>(id, PictureValue::Brightness, 0.6f));
    queue(std::make_unique<monitor_task>(id, PictureValue::Brightness, 0.7f));
    {
        const auto lock = tasks->autoLock();
        EXPECT_EQ(tasks->pendingTaskCount(), 1u);
        EXPECT_FLOAT_EQ(tasks->currentValues()->find(id)->brightness, 0.5f) << "a write shows once the device took it";
        const auto listed = tasks->monitorsManager()->monitors();
        ASSERT_EQ(listed->size(), 1u);
        EXPECT_TRUE(listed->front()->control()->isSupported(Brightness));
    }
    held->release.countDown();
    ASSERT_TRUE(drain());

    EXPECT_FALSE(held->gaveUp) << "the test thread waited for the device";
    EXPECT_EQ(held->brightness.sets, 2);
    EXPECT_EQ(held->brightness.current, 70u);
    EXPECT_FLOAT_EQ(current(id)->brightness, 0.7f);
}

TEST_F(MonitorsTasksTest, ReadersMeetAWholeListWhileEnumerationsReplaceIt)
{
    std::atomic<bool> enumerating{true};
    std::thread reader([this, &enumerating] {
        while (enumerating) {
            const auto lock = tasks->autoLock();
            const auto listed = tasks->monitorsManager()->monitors();
            ASSERT_TRUE(listed);
            EXPECT_EQ(listed->size(), 2u);
            EXPECT_FALSE(tasks->monitorsManager()->idForLegacyName(L"Generic PnP Monitor").empty());
        }
    });
    for (int enumeration = 0; enumeration < 20; ++enumeration)
        EXPECT_TRUE(run(std::make_unique<generic_task>(generic_task::Enumerate)));
    enumerating = false;
    reader.join();
}

namespace {

struct MonitorRelease {
    bool released = false;
    std::thread::id thread;
};

// Notes the thread that lets go of it last.
class ProbedMonitor : public FakeMonitorManager {
public:
    ProbedMonitor(std::shared_ptr<FakeMonitorManager> monitor, MonitorRelease& release)
        : FakeMonitorManager(monitor->display, monitor->fakeControl), release(release)
    {
    }
    ~ProbedMonitor() override { release = {true, std::this_thread::get_id()}; }

private:
    MonitorRelease& release;
};

// Counts down when its original picture is recorded, which an enumeration
// does right after it has published the list with this monitor in it.
class FirstSightControl : public FakeMonitorControl {
public:
    FirstSightControl() : FakeMonitorControl(L"DDC/CI", ControlMethodHardware) {}

    std::string saveState(MonitorStateKind kind) override
    {
        if (kind == Original)
            recorded.countDown();
        return FakeMonitorControl::saveState(kind);
    }

    TestLatch recorded{1};
};

} // namespace

// The monitors of a list hold COM objects of the worker's apartment; a reader
// holding the list an enumeration replaces must not be the one to let them go.
TEST(MonitorsTasksEnumeration, AListAReaderHoldsWhileAnEnumerationReplacesItIsLetGoOfOnTheWorker)
{
    MonitorRelease firstRelease;
    FakeDisplayDevice::Fields fields;
    fields.displayName = L"Generic PnP Monitor";
    fields.instanceName = L"MONITOR\\BBB0002";
    const auto later = std::make_shared<FirstSightControl>();
    auto secondSeen =
        std::make_shared<FakeMonitorManager>(std::make_shared<FakeDisplayDevice>(fields), later);
    int refreshes = 0;
    TestLatch refreshing(1);
    TestLatch readerHoldsTheList(1);
    auto tasks = std::make_unique<MonitorsTasks>(std::make_shared<VtMonitorsManager>(
        [&](ControlMethod) -> std::shared_ptr<MonitorsManager> {
            auto platform = std::make_shared<FakeMonitorsManager>();
            if (refreshes++ == 0) {
                platform->publish({std::make_shared<ProbedMonitor>(
                    makeFakeMonitor(L"Generic PnP Monitor", L"MONITOR\\AAA0001"), firstRelease)});
                return platform;
            }
            refreshing.countDown();
            readerHoldsTheList.wait();
            platform->publish({secondSeen});
            return platform;
        },
        std::make_shared<DisplayDeviceInfoDb>(), std::make_shared<VtMonitorsState>(Original),
        std::make_shared<VtMonitorsState>(Controlled), ControlMethodHardware));
    std::thread::id worker;
    const auto noteWorker = [&worker](const auto&) {
        worker = std::this_thread::get_id();
        return true;
    };
    tasks->queueTask(std::make_unique<generic_task>(generic_task::Enumerate));
    tasks->queueTask(std::make_unique<generic_task>(generic_task::Custom, nullptr, noteWorker), {}, true)->wait();

    tasks->queueTask(std::make_unique<generic_task>(generic_task::Enumerate));
    refreshing.wait();
    {
        const auto lock = tasks->autoLock();
        const auto held = tasks->monitorsManager()->monitors();
        readerHoldsTheList.countDown();
        EXPECT_TRUE(later->recorded.waitFor(std::chrono::seconds(20))) << "the enumeration waited for the reader";
        EXPECT_NE(tasks->monitorsManager()->monitors(), held);
        EXPECT_FALSE(firstRelease.released);
    }
    tasks->queueTask(std::make_unique<generic_task>(generic_task::Custom, nullptr, [](const auto&) { return true; }),
                     {}, true)
        ->wait();

    EXPECT_TRUE(firstRelease.released);
    EXPECT_EQ(firstRelease.thread, worker);
}
