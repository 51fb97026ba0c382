#include "SliderDrag.h"

#include "monitor/MonitorFraction.h"
#include "monitor/VtMonitorsManager.h"
#include "support/kelRaisesVaEvents.h"
#include "tasks/MonitorsTasks.h"

#include <algorithm>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

namespace SliderDrag {

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

void runAndWait(MonitorsTasks& tasks, std::unique_ptr<MonitorsTasks::generic_task> task)
{
    tasks.queueTask(std::move(task), {}, true)->wait();
}

// The queue reports each write the device took as soon as the write call
// returns, so its last report is when the device held the final value, seen
// the same way whatever the device is.
class WriteReports : public kelConsumesVaEvents {
public:
    explicit WriteReports(MonitorsTasks& tasks) : tasks(tasks) { tasks.addConsumer(this); }
    ~WriteReports() override { tasks.removeConsumer(this); }
    WriteReports(const WriteReports&) = delete;
    WriteReports& operator=(const WriteReports&) = delete;

    void onVaEvent(kelRaisesVaEvents*, const kelVaEvent& event) override
    {
        const auto* reported = dynamic_cast<const MonitorsTasks::Event*>(&event);
        if (reported == nullptr || reported->kind != MonitorsTasks::Event::ValuesChanged)
            return;
        const std::lock_guard lock(mutex);
        reports.push_back(Clock::now());
    }

    std::optional<Clock::time_point> lastReport() const
    {
        const std::lock_guard lock(mutex);
        return reports.empty() ? std::nullopt : std::optional(reports.back());
    }

    // From one write's end to the next's: the device's own time per write
    // and whatever the platform and the queue add to it.
    std::vector<double> timesBetweenReports() const
    {
        const std::lock_guard lock(mutex);
        std::vector<double> between;
        for (std::size_t index = 1; index < reports.size(); ++index)
            between.push_back(Milliseconds(reports[index] - reports[index - 1]).count());
        return between;
    }

private:
    MonitorsTasks& tasks;
    mutable std::mutex mutex;
    std::vector<Clock::time_point> reports;
};

// What the window reads after queueing, to show the value beside the slider.
float readLabelValue(MonitorsTasks& tasks, const std::wstring& monitorId)
{
    const auto lock = tasks.autoLock();
    const auto entry = tasks.currentValues()->find(monitorId);
    return entry ? entry->brightness : 0.0f;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double largest(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

} // namespace

MonitorManagerList enumerate(MonitorsTasks& tasks)
{
    runAndWait(tasks, std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::Enumerate));
    const auto listed = tasks.monitorsManager()->monitors();
    return listed ? *listed : MonitorManagerList();
}

Result drag(MonitorsTasks& tasks, const Target& target, std::chrono::microseconds lastMovePause)
{
    const int writesBefore = target.readDevice().writes;
    const WriteReports reports(tasks);

    constexpr int notifications = notificationsPerSecond * seconds;
    const auto interval = std::chrono::microseconds(1000000 / notificationsPerSecond);
    const auto start = Clock::now();
    Clock::time_point lastNotification;
    Clock::time_point lastQueueing;
    std::vector<double> handlerTimes;
    handlerTimes.reserve(notifications);
    float fraction = 0.0f;
    for (int index = 0; index < notifications; ++index) {
        // Timed from when the slider moved: a requester held up in queueing
        // the previous move hands this one over late.
        lastNotification = start + index * interval;
        if (index == notifications - 1)
            lastNotification += lastMovePause;
        if (target.waitUntil)
            target.waitUntil(lastNotification);
        else
            std::this_thread::sleep_until(lastNotification);
        // A drag from 10 % to 90 %, every notification a new position.
        fraction = 0.1f + 0.8f * static_cast<float>(index) / (notifications - 1);
        lastQueueing = Clock::now();
        if (target.move) {
            target.move(fraction);
        } else {
            tasks.queueTask(std::make_unique<MonitorsTasks::monitor_task>(target.monitorId,
                                                                          PictureValue::Brightness, fraction));
            readLabelValue(tasks, target.monitorId);
        }
        handlerTimes.push_back(Milliseconds(Clock::now() - lastQueueing).count());
    }
    // Tasks run in order, so this one ends after the last write.
    runAndWait(tasks, std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::Custom, nullptr,
                                                                    [](const auto&) { return true; }));

    const DeviceReading after = target.readDevice();
    const auto settled = reports.lastReport();
    // A drag whose writes all failed never settles.
    const auto since = [&](Clock::time_point from) {
        return settled ? Milliseconds(*settled - from).count() : std::numeric_limits<double>::infinity();
    };
    return {after.writes - writesBefore,
            after.value == monitorValueFromFraction(target.minimum, target.maximum, fraction),
            since(lastNotification), since(lastQueueing), std::move(handlerTimes), median(reports.timesBetweenReports())};
}

double Result::longestHandlerMilliseconds() const
{
    return largest(handlerMilliseconds);
}

int writesGoal(std::chrono::milliseconds writeTime)
{
    return static_cast<int>(std::chrono::seconds(seconds) / writeTime) + 1;
}

double settleGoalMilliseconds(std::chrono::milliseconds writeTime)
{
    return 1.5 * Milliseconds(writeTime).count() + 10;
}

void Figures::add(const Result& result)
{
    writes.push_back(result.writes);
    settleTimes.push_back(result.settleMilliseconds);
    settleAfterQueueingTimes.push_back(result.settleAfterQueueingMilliseconds);
    finalValuesReached &= result.finalValueReached;
    handlerTimes.insert(handlerTimes.end(), result.handlerMilliseconds.begin(), result.handlerMilliseconds.end());
    writeCycles.push_back(result.writeCycleMilliseconds);
}

double Figures::writeCycleMedian() const
{
    return median(writeCycles);
}

double Figures::writesMedian() const
{
    return median(writes);
}

double Figures::writesMax() const
{
    return largest(writes);
}

double Figures::settleMedian() const
{
    return median(settleTimes);
}

double Figures::settleMax() const
{
    return largest(settleTimes);
}

double Figures::settleAfterQueueingMedian() const
{
    return median(settleAfterQueueingTimes);
}

double Figures::handlerMedian() const
{
    return median(handlerTimes);
}

double Figures::handlerMax() const
{
    return largest(handlerTimes);
}

} // namespace SliderDrag
