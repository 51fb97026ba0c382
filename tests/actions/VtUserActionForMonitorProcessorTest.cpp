#include "actions/VtUserAction.h"
#include "actions/VtUserActionForMonitorProcessor.h"
#include "actions/VtUserActionProcessorList.h"
#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/FakeMonitorsManager.h"
#include "monitor/VtMonitorsManager.h"
#include "monitor/VtMonitorsState.h"
#include "profiles/MonitorsProfileList.h"
#include "support/TestLatch.h"
#include "support/kelComInitialize.h"
#include "tasks/MonitorsTasks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using generic_task = MonitorsTasks::generic_task;
using namespace std::chrono_literals;

// The real task queue, recording the Custom and ApplyProfile tasks queued on it
// (Enumerate is the tests' own marker) and the
// brightness of the first monitor after each Custom function ran.
class RecordingMonitorsTasks : public MonitorsTasks {
public:
    using MonitorsTasks::MonitorsTasks;
    using MonitorsTasks::queueTask;

    std::shared_ptr<TasksProcessorTask> queueTask(const Autolock& heldLock, bool skipObsolete,
                                                  std::unique_ptr<TasksProcessorTaskDetails> details,
                                                  Completion onCompleted, bool waitable,
                                                  QueuedCallback onQueued) override
    {
        auto* generic = dynamic_cast<generic_task*>(details.get());
        const bool recorded = generic && generic->kind != generic_task::Enumerate;
        const int kind = generic ? generic->kind : -1;
        if (recorded && generic->function)
            generic->function = [this, inner = std::move(generic->function)](const Autolock& held) {
                const bool result = inner(held);
                const std::lock_guard lock(mutex);
                stepResults.push_back(currentValues()->monitors.begin()->second->brightness);
                return result;
            };
        auto task = MonitorsTasks::queueTask(heldLock, skipObsolete, std::move(details), std::move(onCompleted),
                                             waitable, std::move(onQueued));
        // Counted once in the queue: a marker settle() queues then runs after it.
        if (recorded)
            record(kind);
        return task;
    }

    // Waits until count generic tasks were queued, then until they have run.
    bool settle(std::size_t count)
    {
        {
            std::unique_lock lock(mutex);
            if (!changed.wait_for(lock, 10s, [&] { return queuedKinds.size() >= count; }))
                return false;
        }
        // Tasks run in order, and each one's completion runs before the next.
        // Enumerate reads the device's values again, which the tests expect
        // to equal the queue's by then anyway.
        const auto marker = MonitorsTasks::queueTask(std::make_unique<generic_task>(generic_task::Enumerate), {}, true);
        marker->wait();
        return true;
    }

    std::vector<int> kinds()
    {
        const std::lock_guard lock(mutex);
        return queuedKinds;
    }

    std::vector<float> steps()
    {
        const std::lock_guard lock(mutex);
        return stepResults;
    }

    float brightness()
    {
        const auto held = autoLock();
        return currentValues()->monitors.begin()->second->brightness;
    }

private:
    void record(int kind)
    {
        {
            const std::lock_guard lock(mutex);
            queuedKinds.push_back(kind);
        }
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<int> queuedKinds;
    std::vector<float> stepResults;
};

// Holds the worker in the next Started event, where it holds no lock.
class WorkerHold : public kelConsumesVaEvents {
public:
    void onVaEvent(kelRaisesVaEvents*, const kelVaEvent& event) override
    {
        if (dynamic_cast<const MonitorsTasks::Event&>(event).kind != MonitorsTasks::Event::Started)
            return;
        TestLatch* gate = nullptr;
        {
            const std::lock_guard lock(mutex);
            std::swap(gate, armed);
        }
        if (gate) {
            arrived.countDown();
            gate->wait();
        }
    }

    void arm(TestLatch& gate)
    {
        const std::lock_guard lock(mutex);
        armed = &gate;
    }

    TestLatch arrived{1};

private:
    std::mutex mutex;
    TestLatch* armed = nullptr;
};

std::shared_ptr<VtUserAction> adjust(float brightness, float contrast)
{
    auto action = std::make_shared<VtUserAction>();
    action->brightnessDelta = brightness;
    action->contrastDelta = contrast;
    return action;
}

std::shared_ptr<VtUserAction> switchTo(const std::wstring& profile)
{
    auto action = std::make_shared<VtUserAction>();
    action->kind = SetProfile;
    action->profileName = profile;
    return action;
}

constexpr int Custom = generic_task::Custom;
constexpr int Apply = generic_task::ApplyProfile;

class VtUserActionForMonitorProcessorTest : public testing::Test {
protected:
    void SetUp() override
    {
        monitor->fakeControl->brightness.current = 85;
        platform->publish({monitor});
        tasks = std::make_shared<RecordingMonitorsTasks>(std::make_shared<VtMonitorsManager>(
            sameFakePlatform(platform), std::make_shared<DisplayDeviceInfoDb>(),
            std::make_shared<VtMonitorsState>(Original), std::make_shared<VtMonitorsState>(Controlled),
            ControlMethodHardware));
        tasks->addConsumer(&hold);
        tasks->MonitorsTasks::queueTask(std::make_unique<generic_task>(generic_task::Enumerate), {}, true)->wait();
        processor = std::make_shared<VtUserActionForMonitorProcessor>(tasks, profiles);
    }

    void TearDown() override
    {
        processor.reset();
        tasks->removeConsumer(&hold);
    }

    // The worker stays in the Started event of a task queued here, with a
    // second task pending behind it, until the gate opens.
    void keepQueueBusy(TestLatch& gate)
    {
        hold.arm(gate);
        tasks->MonitorsTasks::queueTask(std::make_unique<generic_task>(generic_task::Enumerate));
        hold.arrived.wait();
        tasks->MonitorsTasks::queueTask(std::make_unique<generic_task>(generic_task::Enumerate));
    }

    std::uint32_t deviceBrightness() const { return monitor->fakeControl->brightness.current; }

    const kelComInitialize com;
    std::shared_ptr<FakeMonitorsManager> platform = std::make_shared<FakeMonitorsManager>();
    std::shared_ptr<FakeMonitorManager> monitor = makeFakeMonitor(L"Generic PnP Monitor", L"MONITOR\\AAA0001");
    std::shared_ptr<MonitorsProfileList> profiles = std::make_shared<MonitorsProfileList>();
    WorkerHold hold;
    std::shared_ptr<RecordingMonitorsTasks> tasks;
    std::shared_ptr<VtUserActionForMonitorProcessor> processor;
};

} // namespace

TEST_F(VtUserActionForMonitorProcessorTest, StepsWaitWhileTheQueueIsBusyThenRunInOrder)
{
    TestLatch gate(1);
    keepQueueBusy(gate);

    EXPECT_TRUE(processor->process(adjust(-0.25f, 0.0f), false));
    EXPECT_TRUE(processor->process(adjust(0.1f, 0.0f), false));
    EXPECT_TRUE(tasks->kinds().empty()) << "nothing queued while tasks are pending";

    gate.countDown();
    ASSERT_TRUE(tasks->settle(4));
    EXPECT_EQ(tasks->kinds(), (std::vector<int>{Custom, Custom, Apply, Apply}));
    const auto steps = tasks->steps();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_FLOAT_EQ(steps[0], 0.6f);
    EXPECT_FLOAT_EQ(steps[1], 0.7f);
    EXPECT_EQ(deviceBrightness(), 70u);
}

TEST_F(VtUserActionForMonitorProcessorTest, AStepThatMovesNothingQueuesNoApply)
{
    TestLatch gate(1);
    keepQueueBusy(gate);
    for (int step = 0; step < 3; ++step)
        processor->process(adjust(0.1f, 0.0f), false);
    gate.countDown();

    ASSERT_TRUE(tasks->settle(5));
    const auto steps = tasks->steps();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_FLOAT_EQ(steps[0], 0.95f);
    EXPECT_FLOAT_EQ(steps[1], 1.0f);
    EXPECT_FLOAT_EQ(steps[2], 1.0f);
    EXPECT_EQ(tasks->kinds(), (std::vector<int>{Custom, Custom, Custom, Apply, Apply}));
    EXPECT_EQ(deviceBrightness(), 100u);
}

TEST_F(VtUserActionForMonitorProcessorTest, RestorableActionsSaveBeforeTheFirstAndRestoreAfterTheLast)
{
    const auto first = adjust(0.1f, 0.0f);
    const auto second = adjust(-0.5f, 0.0f);
    processor->process(first, true);
    ASSERT_TRUE(tasks->settle(2));
    processor->process(second, true);
    ASSERT_TRUE(tasks->settle(4));
    EXPECT_EQ(deviceBrightness(), 45u);

    EXPECT_TRUE(processor->withdraw(first));
    ASSERT_TRUE(tasks->settle(4));
    EXPECT_EQ(tasks->kinds().size(), 4u) << "another action is still in force";
    EXPECT_TRUE(processor->withdraw(second));
    ASSERT_TRUE(tasks->settle(5));

    EXPECT_EQ(tasks->kinds().back(), Apply);
    EXPECT_FLOAT_EQ(tasks->brightness(), 0.85f);
    EXPECT_EQ(deviceBrightness(), 85u) << "the values from before the first action";
    EXPECT_FALSE(processor->withdraw(second));
}

TEST_F(VtUserActionForMonitorProcessorTest, WithdrawingAPendingActionRunsAndRestoresNothing)
{
    TestLatch gate(1);
    keepQueueBusy(gate);
    const auto action = adjust(0.1f, 0.0f);
    processor->process(action, true);

    EXPECT_TRUE(processor->withdraw(action));
    EXPECT_FALSE(processor->withdraw(adjust(0.1f, 0.0f))) << "an action it never saw";
    gate.countDown();
    ASSERT_TRUE(tasks->settle(0));

    EXPECT_TRUE(tasks->kinds().empty());
    EXPECT_EQ(deviceBrightness(), 85u);
}

TEST_F(VtUserActionForMonitorProcessorTest, EndingWithAnActionInForceQueuesTheRestore)
{
    processor->process(adjust(-0.5f, 0.0f), true);
    ASSERT_TRUE(tasks->settle(2));
    ASSERT_EQ(deviceBrightness(), 35u);

    processor.reset();
    ASSERT_TRUE(tasks->settle(3));

    EXPECT_EQ(tasks->kinds().back(), Apply);
    EXPECT_EQ(deviceBrightness(), 85u);
}

// The end of the program: the action in force is undone at once, a waiting
// one never runs, and the processor's own end has nothing left to undo.
TEST_F(VtUserActionForMonitorProcessorTest, TheEndUndoesTheActionInForceOnceAndDropsTheWaitingOnes)
{
    processor->process(adjust(-0.5f, 0.0f), true);
    ASSERT_TRUE(tasks->settle(2));
    ASSERT_EQ(deviceBrightness(), 35u);
    TestLatch gate(1);
    keepQueueBusy(gate);
    processor->process(adjust(0.1f, 0.0f), false);

    processor->withdrawAll();
    gate.countDown();
    ASSERT_TRUE(tasks->settle(3));
    EXPECT_EQ(deviceBrightness(), 85u);

    processor.reset();
    ASSERT_TRUE(tasks->settle(3));
    EXPECT_EQ(tasks->kinds(), (std::vector<int>{Custom, Apply, Apply}));
    EXPECT_EQ(deviceBrightness(), 85u);
}

TEST_F(VtUserActionForMonitorProcessorTest, ASwitchAppliesTheProfileOfThatExactName)
{
    MonitorsProfile night;
    night.monitors[L"1"] = std::make_shared<MonitorProfile>();
    night.monitors[L"1"]->brightness = 0.2f;
    profiles->storeValues(L"Night", night);

    processor->process(switchTo(L"night"), false);
    processor->process(switchTo(L"Night"), false);
    ASSERT_TRUE(tasks->settle(1));

    EXPECT_EQ(tasks->kinds(), (std::vector<int>{Apply}));
    EXPECT_EQ(deviceBrightness(), 20u);
}

// The interleaving the header names: the UI thread sends hotkey steps and
// the automation thread sends application rules and withdraws them. For the
// first half of the steps the queue is busy, so every action waits and each
// withdrawal takes a waiting one; for the second half the worker drains on
// every QueueEmpty, so withdrawals meet actions waiting and in force. Each
// withdrawal finds its action, nothing stays in force once all are
// withdrawn, and an action sent afterwards runs after all of them.
TEST_F(VtUserActionForMonitorProcessorTest, HotkeysAndRulesFromTwoThreadsWhileTheWorkerDrains)
{
    MonitorsProfile last;
    last.monitors[L"1"] = std::make_shared<MonitorProfile>();
    last.monitors[L"1"]->brightness = 0.33f;
    profiles->storeValues(L"Last", last);
    constexpr int rounds = 2000;
    TestLatch gate(1);
    keepQueueBusy(gate);
    TestLatch bothReady(2);

    std::thread hotkeys([&] {
        bothReady.arriveAndWait();
        for (int round = 0; round < rounds; ++round) {
            if (round == rounds / 2)
                gate.countDown();
            processor->process(adjust(round % 2 == 0 ? 0.01f : -0.01f, 0.0f), false);
        }
    });
    std::atomic<int> unknownWithdrawals{0};
    std::thread automation([&] {
        bothReady.arriveAndWait();
        for (int round = 0; round < rounds; ++round) {
            const auto rule = adjust(0.05f, 0.0f);
            processor->process(rule, true);
            if (!processor->withdraw(rule))
                ++unknownWithdrawals;
        }
    });
    hotkeys.join();
    automation.join();
    EXPECT_EQ(unknownWithdrawals.load(), 0);

    processor->process(switchTo(L"Last"), false);
    const auto lastApplied = [&] { return std::abs(tasks->brightness() - 0.33f) < 1e-4f; };
    for (int waited = 0; waited < 1000 && !lastApplied(); ++waited)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(lastApplied()) << "the action sent last never ran";
    ASSERT_TRUE(tasks->settle(0));
    EXPECT_EQ(deviceBrightness(), 33u);
    const std::size_t queued = tasks->kinds().size();
    processor.reset();
    ASSERT_TRUE(tasks->settle(queued));
    EXPECT_EQ(tasks->kinds().size(), queued) << "ending queued a restore: an action stayed in force";
    EXPECT_EQ(deviceBrightness(), 33u);
}

// The UI thread saves "Movie" again while a switch to it waits in the queue
// and then runs on the worker: the switch carries a copy taken when it was
// queued, so the worker never reads the list's own profile, which the save
// empties and refills (ThreadSanitizer reports any access the two threads
// share without a common lock).
TEST_F(VtUserActionForMonitorProcessorTest, SavingAProfileWhileASwitchToItRunsSharesNoProfileWithTheWorker)
{
    const auto valuesOf = [](float brightness) {
        MonitorsProfile values;
        values.monitors[L"1"] = std::make_shared<MonitorProfile>();
        values.monitors[L"1"]->brightness = brightness;
        return values;
    };
    profiles->storeValues(L"Movie", valuesOf(0.6f));
    TestLatch gate(1);
    hold.arm(gate);
    tasks->MonitorsTasks::queueTask(std::make_unique<generic_task>(generic_task::Enumerate));
    hold.arrived.wait();
    // Nothing is pending behind the held task, so the switch is queued at once.
    processor->process(switchTo(L"Movie"), false);

    std::thread saver([&] {
        for (int round = 0; round < 100; ++round)
            profiles->storeValues(L"Movie", valuesOf(round % 2 == 0 ? 0.3f : 0.4f));
    });
    gate.countDown();
    saver.join();

    ASSERT_TRUE(tasks->settle(1));
    EXPECT_EQ(tasks->kinds(), std::vector<int>{Apply});
    EXPECT_EQ(deviceBrightness(), 60u) << "the switch applies the profile as it was when it was chosen";
}

// A profile deleted while a switch to it waits: the switch does nothing.
TEST_F(VtUserActionForMonitorProcessorTest, ASwitchToAProfileDeletedWhileItWaitedDoesNothing)
{
    MonitorsProfile night;
    night.monitors[L"1"] = std::make_shared<MonitorProfile>();
    night.monitors[L"1"]->brightness = 0.2f;
    profiles->storeValues(L"Night", night);
    TestLatch gate(1);
    keepQueueBusy(gate);
    processor->process(switchTo(L"Night"), false);
    profiles->remove(L"Night");
    processor->process(adjust(0.1f, 0.0f), false);
    gate.countDown();

    ASSERT_TRUE(tasks->settle(2));
    EXPECT_EQ(tasks->kinds(), (std::vector<int>{Custom, Apply}));
    EXPECT_EQ(deviceBrightness(), 95u);
}

namespace {

// Actions waiting behind a busy queue, over several monitors: what each
// monitor's device is sent once they have run.
struct BacklogCase {
    const char* label;
    int waiting;
    int monitors;
    bool switches; // profile switches rather than brightness steps
    // Writes of each value of each monitor (brightness, contrast and three
    // gains): one pass over every monitor, however many actions waited.
    int passes;

    friend void PrintTo(const BacklogCase& c, std::ostream* out) { *out << c.label; }
};

class ActionBacklogTest : public testing::TestWithParam<BacklogCase> {};

INSTANTIATE_TEST_SUITE_P(Waiting, ActionBacklogTest,
                         testing::Values(BacklogCase{"OneStepOneMonitor", 1, 1, false, 1},
                                         BacklogCase{"FiveStepsOneMonitor", 5, 1, false, 1},
                                         BacklogCase{"TwentyStepsTwoMonitors", 20, 2, false, 1},
                                         BacklogCase{"ThreeStepsThreeMonitors", 3, 3, false, 1},
                                         BacklogCase{"OneSwitchTwoMonitors", 1, 2, true, 1},
                                         BacklogCase{"TwentySwitchesTwoMonitors", 20, 2, true, 1}),
                         [](const testing::TestParamInfo<BacklogCase>& info) { return std::string(info.param.label); });

} // namespace

TEST_P(ActionBacklogTest, ActionsThatWaitedAreWrittenInOnePassWithTheLastValues)
{
    const BacklogCase& c = GetParam();
    const kelComInitialize com;
    auto platform = std::make_shared<FakeMonitorsManager>();
    std::vector<std::shared_ptr<FakeMonitorManager>> monitors;
    for (int index = 0; index < c.monitors; ++index) {
        monitors.push_back(makeFakeMonitor(L"Generic PnP Monitor", L"MONITOR\\AAA000" + std::to_wstring(index)));
        monitors.back()->fakeControl->brightness.current = 0;
    }
    platform->publish(MonitorManagerList(monitors.begin(), monitors.end()));
    auto tasks = std::make_shared<RecordingMonitorsTasks>(std::make_shared<VtMonitorsManager>(
        sameFakePlatform(platform), std::make_shared<DisplayDeviceInfoDb>(),
        std::make_shared<VtMonitorsState>(Original), std::make_shared<VtMonitorsState>(Controlled),
        ControlMethodHardware));
    WorkerHold hold;
    tasks->addConsumer(&hold);
    tasks->MonitorsTasks::queueTask(std::make_unique<generic_task>(generic_task::Enumerate), {}, true)->wait();
    auto profiles = std::make_shared<MonitorsProfileList>();
    {
        const auto held = tasks->autoLock();
        MonitorsProfile bright;
        bright.copyFrom(*tasks->currentValues());
        for (const auto& [id, values] : bright.monitors)
            values->brightness = 0.8f;
        profiles->storeValues(L"Bright", bright);
    }
    auto processor = std::make_shared<VtUserActionForMonitorProcessor>(tasks, profiles);
    const auto writes = [&] {
        std::vector<int> counts;
        for (const auto& monitor : monitors) {
            const auto& control = *monitor->fakeControl;
            for (const auto* level : {&control.brightness, &control.contrast, &control.gains[0], &control.gains[1],
                                      &control.gains[2]})
                counts.push_back(level->sets);
        }
        return counts;
    };
    const std::vector<int> before = writes();

    TestLatch gate(1);
    hold.arm(gate);
    tasks->MonitorsTasks::queueTask(std::make_unique<generic_task>(generic_task::Enumerate));
    hold.arrived.wait();
    tasks->MonitorsTasks::queueTask(std::make_unique<generic_task>(generic_task::Enumerate));
    // A step of 1/32 adds up without rounding.
    constexpr float step = 1.0f / 32.0f;
    for (int action = 0; action < c.waiting; ++action)
        processor->process(c.switches ? switchTo(L"Bright") : adjust(step, 0.0f), false);
    gate.countDown();
    // Every action became its tasks (a step a Custom task and, once run, an
    // apply pass; a switch an apply pass); the passes a later one covers were dropped.
    ASSERT_TRUE(tasks->settle(static_cast<std::size_t>(c.switches ? c.waiting : 2 * c.waiting)));

    std::vector<int> sent = writes();
    for (std::size_t index = 0; index < sent.size(); ++index)
        sent[index] -= before[index];
    EXPECT_EQ(sent, std::vector<int>(sent.size(), c.passes));
    const auto expected = static_cast<std::uint32_t>(c.switches ? 80.0f : 100.0f * step * static_cast<float>(c.waiting));
    for (const auto& monitor : monitors)
        EXPECT_EQ(monitor->fakeControl->brightness.current, expected);
    processor.reset();
    tasks->removeConsumer(&hold);
}

TEST(VtUserActionProcessorListTest, TheFirstMemberThatTakesAnActionGetsIt)
{
    struct Member : VtUserActionProcessor {
        explicit Member(bool takes) : takes(takes) {}
        bool process(const std::shared_ptr<VtUserAction>&, bool) override { return ++offered, takes; }
        bool withdraw(const std::shared_ptr<VtUserAction>&) override { return ++offered, takes; }
        void withdrawAll() override { ++endings; }
        bool takes;
        int offered = 0;
        int endings = 0;
    };
    VtUserActionProcessorList list;
    EXPECT_FALSE(list.process(adjust(0.1f, 0.0f), false));
    const auto declines = std::make_shared<Member>(false);
    const auto takes = std::make_shared<Member>(true);
    const auto never = std::make_shared<Member>(true);
    list.processors = {declines, takes, never};

    EXPECT_TRUE(list.process(adjust(0.1f, 0.0f), false));
    EXPECT_TRUE(list.withdraw(adjust(0.1f, 0.0f)));
    EXPECT_EQ(declines->offered, 2);
    EXPECT_EQ(takes->offered, 2);
    EXPECT_EQ(never->offered, 0);
    // The end of the program reaches every member.
    list.withdrawAll();
    EXPECT_EQ(declines->endings + takes->endings + never->endings, 3);
}
