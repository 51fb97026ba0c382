#include "automation/PollingForegroundAppTracker.h"

#include "automation/FakeRunningApp.h"
#include "automation/FakeWindowApi.h"
#include "automation/RunningForegroundAppInfo.h"

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

// Generous: only a broken tracker ever waits this long.
constexpr auto patience = std::chrono::seconds(20);

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
        ASSERT_TRUE(looked.wait_for(lock, patience, [&] { return looks >= count; }));
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

// What a consumer saw at each event: the application foregroundApp() gave
// from inside its handler, and the thread the event came on.
struct Seen {
    std::optional<std::uint32_t> processId;
    std::wstring programPath;
    std::thread::id thread;
};

class RecordingConsumer : public kelConsumesVaEvents {
public:
    explicit RecordingConsumer(RunningForegroundAppTracker& tracker) : tracker(tracker) { tracker.addConsumer(this); }
    ~RecordingConsumer() override { tracker.removeConsumer(this); }

    void onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t code, va_list) override
    {
        const auto app = tracker.foregroundApp();
        Seen seen{std::nullopt, L"", std::this_thread::get_id()};
        if (app) {
            seen.processId = app->processId();
            seen.programPath = app->programPath();
        }
        {
            const std::lock_guard lock(mutex);
            if (raiser == &tracker && code == 0)
                events.push_back(seen);
        }
        arrived.notify_all();
    }

    std::vector<Seen> waitForEvents(std::size_t count)
    {
        std::unique_lock lock(mutex);
        EXPECT_TRUE(arrived.wait_for(lock, patience, [&] { return events.size() >= count; }));
        return events;
    }

private:
    RunningForegroundAppTracker& tracker;
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<Seen> events;
};

TEST(PollingForegroundAppTracker, TheApplicationInFrontAtTheStartIsNotReported)
{
    const auto foreground = std::make_shared<FakeForeground>();
    foreground->own(fakeWindow(1), 10, L"C:\\editor.exe");
    foreground->bringToFront(fakeWindow(1));
    PollingForegroundAppTracker tracker(foreground);
    RecordingConsumer consumer(tracker);

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
    RecordingConsumer consumer(tracker);

    // Two windows of one program, a window whose process cannot be read, the desktop.
    const std::vector<WindowHandle> steps = {fakeWindow(2), fakeWindow(3), fakeWindow(9), nullptr, fakeWindow(1)};
    for (std::size_t step = 0; step < steps.size(); ++step) {
        foreground->bringToFront(steps[step]);
        consumer.waitForEvents(step + 1);
    }
    const auto events = consumer.waitForEvents(steps.size());

    ASSERT_EQ(events.size(), steps.size());
    EXPECT_EQ(events[0].processId, 20u);
    EXPECT_EQ(events[0].programPath, L"C:\\Games\\game.exe");
    EXPECT_EQ(events[1].processId, 20u) << "another window of the same program is a change too";
    EXPECT_EQ(events[2].processId, std::nullopt);
    EXPECT_EQ(events[3].processId, std::nullopt);
    EXPECT_EQ(events[4].processId, 10u);
    for (const Seen& seen : events)
        EXPECT_NE(seen.thread, std::this_thread::get_id());
    ASSERT_NE(tracker.foregroundApp(), nullptr);
    EXPECT_EQ(tracker.foregroundApp()->processId(), 10u);
}

TEST(PollingForegroundAppTracker, AWindowThatStaysInFrontIsReportedOnce)
{
    const auto foreground = std::make_shared<FakeForeground>();
    foreground->own(fakeWindow(2), 20, L"C:\\game.exe");
    PollingForegroundAppTracker tracker(foreground);
    RecordingConsumer consumer(tracker);

    foreground->bringToFront(fakeWindow(2));
    consumer.waitForEvents(1);
    foreground->waitForLooks(8);
    EXPECT_EQ(consumer.waitForEvents(1).size(), 1u);
}

// Other threads copy the current application while the tracking thread
// replaces it (the thread sanitizer watches the host build).
TEST(PollingForegroundAppTracker, OtherThreadsCopyTheCurrentApplicationWhileItChanges)
{
    const auto foreground = std::make_shared<FakeForeground>();
    foreground->own(fakeWindow(1), 10, L"C:\\editor.exe");
    foreground->own(fakeWindow(2), 20, L"C:\\game.exe");
    PollingForegroundAppTracker tracker(foreground);
    RecordingConsumer consumer(tracker);

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
