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
        if (generic && generic->kind != generic_task::Enumerate) {
            record(generic->kind);
            if (generic->function)
                generic->function = [this, inner = std::move(generic->function)](const Autolock& held) {
                    const bool result = inner(held);
                    const std::lock_guard lock(mutex);
                    stepResults.push_back(currentValues()->monitors.begin()->second->brightness);
                    return result;
                };
        }
        return MonitorsTasks::queueTask(heldLock, skipObsolete, std::move(details), std::move(onCompleted), waitable,
                                        std::move(onQueued));
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

TEST(VtUserActionProcessorListTest, TheFirstMemberThatTakesAnActionGetsIt)
{
    struct Member : VtUserActionProcessor {
        explicit Member(bool takes) : takes(takes) {}
        bool process(const std::shared_ptr<VtUserAction>&, bool) override { return ++offered, takes; }
        bool withdraw(const std::shared_ptr<VtUserAction>&) override { return ++offered, takes; }
        bool takes;
        int offered = 0;
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
}
