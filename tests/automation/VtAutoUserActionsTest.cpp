// The automatic-action thread over the rule provider: which actions reach
// the processors, restorable or not, when they are withdrawn, and in which
// order. The keeper's clock is the test's, the thread is real.
#include "actions/VtUserAction.h"
#include "actions/VtUserActionProcessorList.h"
#include "automation/FakeForegroundKeeperPlatform.h"
#include "automation/FakeIconFiles.h"
#include "automation/FakeRunningApp.h"
#include "automation/RunningForegroundAppTracker.h"
#include "automation/VtAppInfoDb.h"
#include "automation/VtAutoUserActionManager.h"
#include "automation/VtIconDatabase.h"
#include "automation/VtOnAppActionDb.h"
#include "automation/VtOnRunningAppUaProvider.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The test brings applications to the front itself.
class FakeForegroundTracker : public RunningForegroundAppTracker {
public:
    std::shared_ptr<const RunningAppInfo> foregroundApp() override
    {
        std::lock_guard guard(mutex);
        return front;
    }
    void stop() override {}

    void bringToFront(std::shared_ptr<const RunningAppInfo> app)
    {
        {
            std::lock_guard guard(mutex);
            front = std::move(app);
        }
        raiseCode(0);
    }

private:
    std::mutex mutex;
    std::shared_ptr<const RunningAppInfo> front;
};

// Records what the thread hands over, as lines such as "process +0.2 restorable"
// or "withdraw +0.2", and lets the test wait for a number of lines.
class RecordingProcessor : public VtUserActionProcessor {
public:
    bool process(const std::shared_ptr<VtUserAction>& action, bool restorable) override
    {
        std::lock_guard guard(mutex);
        active.push_back(action);
        record("process " + describe(*action) + (restorable ? " restorable" : " once"));
        return true;
    }

    bool withdraw(const std::shared_ptr<VtUserAction>& action) override
    {
        std::lock_guard guard(mutex);
        const auto found = std::find(active.begin(), active.end(), action);
        record(found == active.end() ? "withdraw unknown" : "withdraw " + describe(*action));
        if (found != active.end())
            active.erase(found);
        return true;
    }

    void withdrawAll() override {}

    // The lines once there are count of them, or what there is after a few seconds.
    std::vector<std::string> waitForLines(std::size_t count)
    {
        std::unique_lock guard(mutex);
        changed.wait_for(guard, 5s, [&] { return lines.size() >= count; });
        return lines;
    }

    std::vector<std::shared_ptr<VtUserAction>> activeActions()
    {
        std::lock_guard guard(mutex);
        return active;
    }

private:
    static std::string describe(const VtUserAction& action)
    {
        if (action.kind == SetProfile)
            return "profile " + std::string(action.profileName.begin(), action.profileName.end());
        const std::string step = std::to_string(action.brightnessDelta).substr(0, 4);
        return "brightness " + step;
    }

    void record(std::string line)
    {
        lines.push_back(std::move(line));
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> lines;
    std::vector<std::shared_ptr<VtUserAction>> active;
};

using Lines = std::vector<std::string>;

class VtAutoUserActionsTest : public ::testing::Test {
protected:
    VtAutoUserActionsTest()
    {
        processors->processors.push_back(recorder);
        editorId = addApplication(editorPath);
        playerId = addApplication(playerPath);
        manager.addProvider(provider);
        manager.setEnabled(true);
    }

    std::uint32_t addApplication(const std::wstring& path)
    {
        auto application = database->createValue();
        application->setFromRunningApp(FakeRunningApp(1, path));
        return database->addRef(application);
    }

    void addBrightnessRule(std::uint32_t appId, float step)
    {
        auto rule = std::make_shared<VtOnAppAction>();
        rule->appId = appId;
        rule->action.brightnessDelta = step;
        rules->addRule(rule);
    }

    void addProfileRule(std::uint32_t appId, const std::wstring& profile)
    {
        auto rule = std::make_shared<VtOnAppAction>();
        rule->appId = appId;
        rule->action.kind = SetProfile;
        rule->action.profileName = profile;
        rules->addRule(rule);
    }

    // Brings the program to the front and keeps it there past the switch delay.
    void stayInFront(std::uint32_t processId, const std::wstring& path)
    {
        tracker->bringToFront(std::make_shared<FakeRunningApp>(processId, path));
        clock->advance(3s);
    }

    // Lets the thread run some ten rounds, for what cannot be awaited.
    void letThreadPoll() { std::this_thread::sleep_for(1s); }

    const std::wstring editorPath = L"C:\\Tools\\Editor.exe";
    const std::wstring playerPath = L"C:\\Tools\\Player.exe";
    const std::shared_ptr<FakeForegroundKeeperPlatform> clock = std::make_shared<FakeForegroundKeeperPlatform>();
    const std::shared_ptr<FakeIconFiles> disk = std::make_shared<FakeIconFiles>();
    const std::shared_ptr<VtAppInfoDb> database = std::make_shared<VtAppInfoDb>(
        std::make_shared<VtIconDatabase>(L"D:\\icons", disk), std::make_shared<FakeProgramFiles>(*disk), disk);
    const std::shared_ptr<VtOnAppActionDb> rules = std::make_shared<VtOnAppActionDb>();
    const std::shared_ptr<FakeForegroundTracker> tracker = std::make_shared<FakeForegroundTracker>();
    const std::shared_ptr<RecordingProcessor> recorder = std::make_shared<RecordingProcessor>();
    const std::shared_ptr<VtUserActionProcessorList> processors = std::make_shared<VtUserActionProcessorList>();
    const std::shared_ptr<VtOnRunningAppUaProvider> provider =
        std::make_shared<VtOnRunningAppUaProvider>(database, rules, tracker, clock);
    std::uint32_t editorId = 0;
    std::uint32_t playerId = 0;
    VtAutoUserActionManager manager{processors};
};

} // namespace

TEST_F(VtAutoUserActionsTest, ARuleAppliesWhileItsProgramIsInFrontAndIsWithdrawnWhenItIsLeft)
{
    addBrightnessRule(editorId, 0.2f);
    stayInFront(10, editorPath);
    EXPECT_EQ(recorder->waitForLines(1), Lines{"process brightness 0.20 restorable"});

    stayInFront(30, L"C:\\Tools\\Other.exe");
    EXPECT_EQ(recorder->waitForLines(2), (Lines{"process brightness 0.20 restorable", "withdraw brightness 0.20"}));
    EXPECT_TRUE(recorder->activeActions().empty());
}

TEST_F(VtAutoUserActionsTest, EachVisitGetsFreshCopiesOfTheRulesInTheirStoredOrder)
{
    addProfileRule(editorId, L"Movie");
    addBrightnessRule(editorId, -0.1f);
    stayInFront(10, editorPath);
    const Lines firstVisit{"process profile Movie restorable", "process brightness -0.1 restorable"};
    EXPECT_EQ(recorder->waitForLines(2), firstVisit);
    const auto firstCopies = recorder->activeActions();
    EXPECT_EQ(rules->rulesFor(editorId).size(), 2u);
    for (const auto& copy : firstCopies) {
        for (const auto& rule : rules->rulesFor(editorId))
            EXPECT_NE(copy.get(), &rule->action) << "a processor tells actions apart by identity";
    }

    letThreadPoll();
    EXPECT_EQ(recorder->waitForLines(2).size(), 2u) << "a program that stays in front fires once";

    stayInFront(30, L"C:\\Tools\\Other.exe");
    recorder->waitForLines(4);
    stayInFront(10, editorPath);
    const auto lines = recorder->waitForLines(6);
    EXPECT_EQ(Lines(lines.begin() + 4, lines.end()), firstVisit);
    for (const auto& copy : recorder->activeActions()) {
        for (const auto& earlier : firstCopies)
            EXPECT_NE(copy, earlier);
    }
}

TEST_F(VtAutoUserActionsTest, SwitchingBetweenTwoProgramsWithRulesWithdrawsBeforeApplying)
{
    addBrightnessRule(editorId, 0.2f);
    addBrightnessRule(playerId, -0.3f);
    stayInFront(10, editorPath);
    recorder->waitForLines(1);
    stayInFront(20, playerPath);
    EXPECT_EQ(recorder->waitForLines(3), (Lines{"process brightness 0.20 restorable", "withdraw brightness 0.20",
                                                "process brightness -0.3 restorable"}));
}

TEST_F(VtAutoUserActionsTest, WhileSwitchedOffNothingAppliesNotEvenAfterSwitchingOnUntilTheProgramIsEnteredAgain)
{
    addBrightnessRule(editorId, 0.2f);
    manager.setEnabled(false);
    stayInFront(10, editorPath);
    letThreadPoll();
    manager.setEnabled(true);
    letThreadPoll();
    EXPECT_TRUE(recorder->waitForLines(0).empty());

    addBrightnessRule(playerId, -0.3f);
    stayInFront(20, playerPath);
    EXPECT_EQ(recorder->waitForLines(1), Lines{"process brightness -0.3 restorable"});
    stayInFront(10, editorPath);
    EXPECT_EQ(recorder->waitForLines(3), (Lines{"process brightness -0.3 restorable", "withdraw brightness -0.3",
                                                "process brightness 0.20 restorable"}));
}

TEST_F(VtAutoUserActionsTest, ARuleAddedForAProgramAlreadyKnownFiresAtItsNextVisit)
{
    addBrightnessRule(playerId, 0.1f);
    addBrightnessRule(editorId, 0.3f);
    ASSERT_LT(editorId, playerId) << "the new rule sorts before the existing one";
    stayInFront(10, editorPath);
    EXPECT_EQ(recorder->waitForLines(1), Lines{"process brightness 0.30 restorable"});
}

TEST_F(VtAutoUserActionsTest, AnActionWithoutEndIsAOneShotStep)
{
    class OneShot : public VtAutoUserActionProvider {
    public:
        bool nextAction(AutoUserAction& out) override
        {
            if (given)
                return false;
            given = true;
            out.action = std::make_shared<VtUserAction>();
            out.action->brightnessDelta = 0.05f;
            return true;
        }
        bool given = false;
    };
    manager.addProvider(std::make_shared<OneShot>());
    EXPECT_EQ(recorder->waitForLines(1), Lines{"process brightness 0.05 once"});
}

// The rule provider sees a change of application while it is asked for
// offers, and that same change ends the actions of the application left.
// This provider does both at one call, so the order does not hang on when
// the thread's round happens to look.
TEST_F(VtAutoUserActionsTest, ActionsEndedByTheChangeThatBringsNewOnesAreWithdrawnBeforeTheNewOnesRun)
{
    class Handover : public VtAutoUserActionProvider {
    public:
        bool nextAction(AutoUserAction& out) override
        {
            if (offered == 0 || (offered == 1 && handOver)) {
                const bool second = offered == 1;
                ended = second;
                out.action = std::make_shared<VtUserAction>();
                out.action->brightnessDelta = second ? -0.3f : 0.2f;
                out.hasEnded = [this, second] { return !second && ended.load(); };
                ++offered;
                return true;
            }
            return false;
        }
        std::atomic<bool> handOver{false};

    private:
        std::atomic<bool> ended{false};
        int offered = 0;
    };
    const auto handover = std::make_shared<Handover>();
    manager.addProvider(handover);
    ASSERT_EQ(recorder->waitForLines(1), Lines{"process brightness 0.20 restorable"});

    handover->handOver = true;
    EXPECT_EQ(recorder->waitForLines(3), (Lines{"process brightness 0.20 restorable", "withdraw brightness 0.20",
                                                "process brightness -0.3 restorable"}));
}
