#pragma once

#include "automation/RunningForegroundAppTracker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Keeps every code event 0 of one foreground tracker: the application that
// foregroundApp() gave from inside the handler, and the thread the event
// came on.
class ForegroundEventLog : public kelConsumesVaEvents {
public:
    // Generous: only a broken tracker ever makes a test wait this long.
    static constexpr auto patience = std::chrono::seconds(20);

    struct Event {
        std::shared_ptr<const RunningAppInfo> app;
        std::thread::id thread;
    };

    explicit ForegroundEventLog(RunningForegroundAppTracker& tracker) : tracker(tracker) { tracker.addConsumer(this); }
    ~ForegroundEventLog() override { tracker.removeConsumer(this); }

    void onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t code, va_list) override
    {
        Event event{tracker.foregroundApp(), std::this_thread::get_id()};
        {
            const std::lock_guard lock(mutex);
            if (raiser == &tracker && code == 0)
                events.push_back(std::move(event));
        }
        arrived.notify_all();
    }

    // The events so far, once there are at least count of them; the test
    // fails when they do not come.
    std::vector<Event> waitForEvents(std::size_t count)
    {
        std::unique_lock lock(mutex);
        EXPECT_TRUE(arrived.wait_for(lock, patience, [&] { return events.size() >= count; }))
            << "only " << events.size() << " of " << count << " events came";
        return events;
    }

    // The application of the report on that process after skip earlier
    // reports on it; null if none comes.
    std::shared_ptr<const RunningAppInfo> waitForProcess(std::uint32_t processId, std::size_t skip = 0)
    {
        std::unique_lock lock(mutex);
        std::shared_ptr<const RunningAppInfo> found;
        arrived.wait_for(lock, patience, [&] {
            std::size_t seen = 0;
            for (const Event& event : events) {
                if (event.app && event.app->processId() == processId && seen++ == skip) {
                    found = event.app;
                    return true;
                }
            }
            return false;
        });
        return found;
    }

private:
    RunningForegroundAppTracker& tracker;
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<Event> events;
};
