#include "automation/PollingForegroundAppTracker.h"

#include "automation/FakeRunningApp.h"
#include "automation/FakeWindowApi.h"
#include "automation/ForegroundEventLog.h"
#include "automation/RunningForegroundAppInfo.h"
#include "support/kelLiveThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// The window in front as the test sets it, each window owned by a process,
// and the number of times the tracker has looked.
class FakeForeground : public RunningForegroundAppInfo {
public:
    void own(WindowHandle window, std::uint32_t processId, std::wstring programPath)
    {
        const std::lock_guard lock(mutex);
        owners[window] = {processId, std::move(programPath)};
    }

    void bringToFront(WindowHandle window) { inFront.store(window); }

    void waitForLooks(int count)
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(looked.wait_for(lock, ForegroundEventLog::patience, [&] { return looks >= count; }));
    }

    WindowHandle foregroundWindow() override
    {
        {
            const std::lock_guard lock(mutex);
            ++looks;
        }
        looked.notify_all();
        return inFront.load();
    }

    // Unknown windows belong to a process that cannot be read.
    std::unique_ptr<RunningAppInfo> foregroundApp() override
    {
        const std::lock_guard lock(mutex);
        const auto owner = owners.find(inFront.load());
        if (owner == owners.end())
            return nullptr;
        return std::make_unique<FakeRunningApp>(owner->second.first, owner->second.second);
    }

private:
    std::atomic<WindowHandle> inFront{nullptr};
    std::mutex mutex;
    std::condition_variable looked;
    int looks = 0;
    std::map<WindowHandle, std::pair<std::uint32_t, std::wstring>> owners;
};

std::optional<std::uint32_t> processOf(const ForegroundEventLog::Event& event)
{
    return event.app ? std::optional(event.app->processId()) : std::nullopt;
}

TEST(PollingForegroundAppTracker, TheApplicationInFrontAtTheStartIsNotReported)
{
    const auto foreground = std::make_shared<FakeForeground>();
    foreground->own(fakeWindow(1), 10, L"C:\\editor.exe");
    foreground->bringToFront(fakeWindow(1));
    PollingForegroundAppTracker tracker(foreground);
    ForegroundEventLog consumer(tracker);

    foreground->waitForLooks(4);
    EXPECT_TRUE(consumer.waitForEvents(0).empty());
    EXPECT_EQ(tracker.foregroundApp(), nullptr);
}

TEST(PollingForegroundAppTracker, EveryChangeOfWindowIsReportedOnTheTrackingThread)
{
    const auto foreground = std::make_shared<FakeForeground>();
    foreground->own(fakeWindow(1), 10, L"C:\\editor.exe");
    foreground->own(fakeWindow(2), 20, L"C:\\Games\\game.exe");
    foreground->own(fakeWindow(3), 20, L"C:\\Games\\game.exe");
    foreground->bringToFront(fakeWindow(1));
    PollingForegroundAppTracker tracker(foreground);
    ForegroundEventLog consumer(tracker);

    // Two windows of one program, a window whose process cannot be read, the desktop.
    const std::vector<WindowHandle> steps = {fakeWindow(2), fakeWindow(3), fakeWindow(9), nullptr, fakeWindow(1)};
    for (std::size_t step = 0; step < steps.size(); ++step) {
        foreground->bringToFront(steps[step]);
        consumer.waitForEvents(step + 1);
    }
    const auto events = consumer.waitForEvents(steps.size());

    ASSERT_EQ(events.size(), steps.size());
    EXPECT_EQ(processOf(events[0]), 20u);
    EXPECT_EQ(events[0].app->programPath(), L"C:\\Games\\game.exe");
    EXPECT_EQ(processOf(events[1]), 20u) << "another window of the same program is a change too";
    EXPECT_NE(events[1].app, events[0].app) << "described anew";
    EXPECT_EQ(processOf(events[2]), std::nullopt);
    EXPECT_EQ(processOf(events[3]), std::nullopt);
    EXPECT_EQ(processOf(events[4]), 10u);
    for (const auto& event : events)
        EXPECT_NE(event.thread, std::this_thread::get_id());
    ASSERT_NE(tracker.foregroundApp(), nullptr);
    EXPECT_EQ(tracker.foregroundApp()->processId(), 10u);
}

TEST(PollingForegroundAppTracker, AWindowThatStaysInFrontIsReportedOnce)
{
    const auto foreground = std::make_shared<FakeForeground>();
    foreground->own(fakeWindow(2), 20, L"C:\\game.exe");
    PollingForegroundAppTracker tracker(foreground);
    ForegroundEventLog consumer(tracker);

    foreground->bringToFront(fakeWindow(2));
    consumer.waitForEvents(1);
    foreground->waitForLooks(8);
    EXPECT_EQ(consumer.waitForEvents(1).size(), 1u);
}

TEST(PollingForegroundAppTracker, DestructionEndsTheTrackingThread)
{
    const auto foreground = std::make_shared<FakeForeground>();
    const int threadsBefore = kelLiveThreads::count();
    {
        PollingForegroundAppTracker tracker(foreground);
        foreground->waitForLooks(1);
        EXPECT_EQ(kelLiveThreads::count(), threadsBefore + 1);
    }
    EXPECT_EQ(kelLiveThreads::count(), threadsBefore) << "the tracking thread outlived its tracker";
}

// Other threads copy the current application while the tracking thread
// replaces it (the thread sanitizer watches the host build).
TEST(PollingForegroundAppTracker, OtherThreadsCopyTheCurrentApplicationWhileItChanges)
{
    const auto foreground = std::make_shared<FakeForeground>();
    foreground->own(fakeWindow(1), 10, L"C:\\editor.exe");
    foreground->own(fakeWindow(2), 20, L"C:\\game.exe");
    PollingForegroundAppTracker tracker(foreground);
    ForegroundEventLog consumer(tracker);

    std::atomic<bool> done{false};
    std::atomic<int> copies{0};
    std::vector<std::thread> readers;
    for (int reader = 0; reader < 3; ++reader) {
        readers.emplace_back([&] {
            while (!done.load()) {
                if (const auto app = tracker.foregroundApp()) {
                    EXPECT_FALSE(app->programPath().empty());
                }
                ++copies;
            }
        });
    }
    const int changes = 8;
    for (int change = 1; change <= changes; ++change) {
        foreground->bringToFront(fakeWindow(change % 2 + 1));
        consumer.waitForEvents(change);
    }
    done.store(true);
    for (auto& reader : readers)
        reader.join();
    EXPECT_EQ(consumer.waitForEvents(changes).size(), static_cast<std::size_t>(changes));
    EXPECT_GT(copies.load(), 0);
}

} // namespace
