#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/MonitorFraction.h"
#include "monitor/VtMonitorsManager.h"
#include "monitor/VtMonitorsState.h"
#include "tasks/MonitorsTasks.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr auto writeTime = std::chrono::milliseconds(50);
constexpr int notificationsPerSecond = 60;
constexpr int dragSeconds = 2;

// A monitor whose brightness takes a DDC/CI-like 50 ms per write; reads are
// immediate. Only brightness is served.
class SlowMonitorControl : public MonitorControl {
public:
    std::wstring controlName(MonitorValueKind) override { return L"DDC/CI"; }
    std::wstring name() override { return L"DDC/CI"; }
    ControlMethod controlMethodFor(MonitorValueKind) override { return ControlMethodHardware; }
    ControlMethod controlMethod() override { return ControlMethodHardware; }
    void setPreferredControlMethod(ControlMethod) override {}
    bool isSupported(MonitorValueKind kind) override { return kind == Brightness; }
    bool isColorTemperatureSupported(int) override { return false; }
    bool getBrightness(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum) override
    {
        const std::lock_guard lock(mutex);
        minimum = 0;
        current = value;
        maximum = 100;
        return true;
    }
    bool setBrightness(std::uint32_t newValue) override
    {
        std::this_thread::sleep_for(writeTime);
        const std::lock_guard lock(mutex);
        value = newValue;
        ++writes;
        lastWriteEnd = Clock::now();
        return true;
    }
    bool getContrast(std::uint32_t&, std::uint32_t&, std::uint32_t&) override { return false; }
    bool setContrast(std::uint32_t) override { return false; }
    bool getColorTemperature(int&) override { return false; }
    bool setColorTemperature(int) override { return false; }
    bool getGain(ColorChannel, std::uint32_t&, std::uint32_t&, std::uint32_t&) override { return false; }
    bool setGain(ColorChannel, std::uint32_t) override { return false; }
    bool getDrive(ColorChannel, std::uint32_t&, std::uint32_t&, std::uint32_t&) override { return false; }
    bool setDrive(ColorChannel, std::uint32_t) override { return false; }
    std::string saveState(MonitorStateKind) override { return {}; }
    bool restoreState(MonitorStateKind, const std::string&) override { return true; }

    struct Reading {
        std::uint32_t value;
        int writes;
        Clock::time_point lastWriteEnd;
    };
    Reading reading()
    {
        const std::lock_guard lock(mutex);
        return {value, writes, lastWriteEnd};
    }

private:
    std::mutex mutex;
    std::uint32_t value = 50;
    int writes = 0;
    Clock::time_point lastWriteEnd;
};

class BenchDevice : public DisplayDeviceInfo {
public:
    int isActive() const override { return 1; }
    std::wstring deviceName() const override { return L"\\\\.\\DISPLAY1"; }
    std::wstring displayName() const override { return L"Slow Monitor"; }
    std::wstring instanceName() const override { return L"MONITOR\\SLW0001"; }
    std::wstring manufacturerName() const override { return L"SLW"; }
    std::wstring productCode() const override { return L"0001"; }
    std::wstring serialNumber() const override { return {}; }
};

class BenchMonitor : public MonitorManager {
public:
    explicit BenchMonitor(std::shared_ptr<SlowMonitorControl> control) : slow(std::move(control)) {}
    std::shared_ptr<DisplayDeviceInfo> displayDevice() const override { return device; }
    std::shared_ptr<DisplayDeviceInfo> adapterDevice() const override { return nullptr; }
    std::shared_ptr<MonitorControl> control() const override { return slow; }

private:
    std::shared_ptr<BenchDevice> device = std::make_shared<BenchDevice>();
    std::shared_ptr<SlowMonitorControl> slow;
};

class BenchPlatform : public MonitorsManager {
public:
    explicit BenchPlatform(std::shared_ptr<MonitorManager> monitor)
        : list(std::make_shared<const MonitorManagerList>(MonitorManagerList{std::move(monitor)}))
    {
    }
    std::shared_ptr<const MonitorManagerList> monitors() override { return list; }
    bool refresh() override { return true; }

private:
    std::shared_ptr<const MonitorManagerList> list;
};

struct DragResult {
    int writes;
    bool finalValueReached;
    // From the slider's last move, and from when that move was handed to the queue.
    double settleMilliseconds;
    double settleAfterQueueingMilliseconds;
    double longestQueueingMilliseconds;
};

// One drag: notifications at a steady rate, each queued as a set-value task
// the way the main window does, then the wait for the device to settle.
DragResult dragSlider()
{
    const auto control = std::make_shared<SlowMonitorControl>();
    const auto platform = std::make_shared<BenchPlatform>(std::make_shared<BenchMonitor>(control));
    MonitorsTasks tasks(std::make_shared<VtMonitorsManager>(
        [platform](ControlMethod) { return platform; }, std::make_shared<DisplayDeviceInfoDb>(),
        std::make_shared<VtMonitorsState>(Original), std::make_shared<VtMonitorsState>(Controlled),
        ControlMethodHardware));
    tasks.queueTask(std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::Enumerate), {}, true)
        ->wait();

    constexpr int notifications = notificationsPerSecond * dragSeconds;
    const auto interval = std::chrono::microseconds(1000000 / notificationsPerSecond);
    const auto start = Clock::now();
    Clock::time_point lastNotification;
    Clock::time_point lastQueueing;
    Clock::duration longestQueueing{};
    float fraction = 0.0f;
    for (int index = 0; index < notifications; ++index) {
        // Timed from when the slider moved: a requester held up by a running
        // write (queueing waits for the lock) hands its move over late.
        lastNotification = start + index * interval;
        std::this_thread::sleep_until(lastNotification);
        // A drag from 10 % to 90 %, every notification a new position.
        fraction = 0.1f + 0.8f * static_cast<float>(index) / (notifications - 1);
        lastQueueing = Clock::now();
        tasks.queueTask(std::make_unique<MonitorsTasks::monitor_task>(L"1", PictureValue::Brightness, fraction));
        longestQueueing = std::max(longestQueueing, Clock::now() - lastQueueing);
    }
    tasks.queueTask(std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::Custom, nullptr,
                                                                  [](const auto&) { return true; }),
                    {}, true)
        ->wait();

    const auto reading = control->reading();
    return {reading.writes, reading.value == monitorValueFromFraction(0, 100, fraction),
            Milliseconds(reading.lastWriteEnd - lastNotification).count(),
            Milliseconds(reading.lastWriteEnd - lastQueueing).count(), Milliseconds(longestQueueing).count()};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Goals: at most one write per write time plus one (about 41 over the drag);
// the device ends at the last position; it holds it at most one write time
// plus 10 ms after the last notification.
void sliderDragAgainstSlowMonitor(benchmark::State& state)
{
    std::vector<double> settleTimes;
    std::vector<double> settleAfterQueueingTimes;
    std::vector<double> writes;
    bool allFinalValuesReached = true;
    double longestQueueing = 0;
    for (auto _ : state) {
        const DragResult result = dragSlider();
        settleTimes.push_back(result.settleMilliseconds);
        settleAfterQueueingTimes.push_back(result.settleAfterQueueingMilliseconds);
        writes.push_back(result.writes);
        allFinalValuesReached &= result.finalValueReached;
        longestQueueing = std::max(longestQueueing, result.longestQueueingMilliseconds);
        state.SetIterationTime(result.settleMilliseconds / 1000.0);
    }
    state.counters["writes_median"] = median(writes);
    state.counters["writes_max"] = *std::max_element(writes.begin(), writes.end());
    state.counters["final_value_reached"] = allFinalValuesReached ? 1 : 0;
    state.counters["settle_ms_median"] = median(settleTimes);
    state.counters["settle_ms_max"] = *std::max_element(settleTimes.begin(), settleTimes.end());
    state.counters["settle_after_queueing_ms_median"] = median(settleAfterQueueingTimes);
    // How long a requester (the UI thread) waited for the lock while a write ran.
    state.counters["queueing_ms_max"] = longestQueueing;
}
BENCHMARK(sliderDragAgainstSlowMonitor)->Iterations(7)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
