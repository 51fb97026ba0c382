#pragma once

#include "monitor/MonitorManager.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class MonitorsTasks;

// A brightness slider dragged over one monitor the way the main window drags
// it: a notification at the slider's rate, each queued as a set-value task,
// then the wait until the device holds the last position. The monitor behind
// the queue may be an in-process stand-in or the real platform's.
namespace SliderDrag {

inline constexpr int notificationsPerSecond = 60;
inline constexpr int seconds = 2;

// What the device holds, as the device itself counts it.
struct DeviceReading {
    std::uint32_t value = 0;
    // Every write it has received so far; a drag counts its own by the difference.
    int writes = 0;
};

struct Target {
    // As the queue knows the monitor.
    std::wstring monitorId;
    // The device's brightness range, which turns the slider's last position into the value it must end at.
    std::uint32_t minimum = 0;
    std::uint32_t maximum = 100;
    std::function<DeviceReading()> readDevice;
    // The window's handler of one slider notification, given the slider's
    // new fraction. Empty: queue the write and read the values for the label
    // directly, as the window's handler does.
    std::function<void(float fraction)> move;
    // Waits until the next notification is due, doing the UI thread's other
    // work meanwhile. Empty: sleep.
    std::function<void(std::chrono::steady_clock::time_point due)> waitUntil;
};

struct Result {
    int writes = 0;
    bool finalValueReached = false;
    // From the slider's last move until the queue reported the last write
    // done, and from when that move was handed to the queue.
    double settleMilliseconds = 0;
    double settleAfterQueueingMilliseconds = 0;
    // What each notification cost the requester (the window's handler on the
    // UI thread): queueing its write and reading the current values for the
    // label, one entry per notification.
    std::vector<double> handlerMilliseconds;
    // The median time from one write's end to the next's during the drag: the
    // device's time per write and whatever the platform and the queue add.
    double writeCycleMilliseconds = 0;

    double longestHandlerMilliseconds() const;
};

// Runs the queue's enumeration and returns the monitors it listed.
MonitorManagerList enumerate(MonitorsTasks& tasks);

// The last move comes lastMovePause after its slot at the slider's rate: a
// hand slowing down before it lets go. The first move starts a write at
// once, so with no pause the last one always lands at the same point of a
// write; spreading the pause over one write time across several drags lets
// the last move land anywhere in a write, as it does under a real hand.
Result drag(MonitorsTasks& tasks, const Target& target,
            std::chrono::microseconds lastMovePause = std::chrono::microseconds::zero());

// The goals for a device taking writeTime per write: at most one write per
// write time plus one (41 at 50 ms); the device ends at the last position; it
// holds it, in the median, at most one and a half write times plus 10 ms
// after the last notification (which lands mid-write on average, and the
// write of the last position follows that one); no notification keeps the
// window's handler longer than one frame at 60 Hz.
int writesGoal(std::chrono::milliseconds writeTime);
double settleGoalMilliseconds(std::chrono::milliseconds writeTime);
inline constexpr double handlerGoalMilliseconds = 16;

// The figures over several drags.
class Figures {
public:
    void add(const Result& result);

    double writesMedian() const;
    double writesMax() const;
    bool allFinalValuesReached() const { return finalValuesReached; }
    double settleMedian() const;
    double settleMax() const;
    double settleAfterQueueingMedian() const;
    double handlerMedian() const;
    double handlerMax() const;
    double writeCycleMedian() const;

private:
    std::vector<double> writes;
    std::vector<double> settleTimes;
    std::vector<double> settleAfterQueueingTimes;
    bool finalValuesReached = true;
    std::vector<double> handlerTimes;
    std::vector<double> writeCycles;
};

} // namespace SliderDrag
