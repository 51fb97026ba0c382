#include "SliderDrag.h"
#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/VtMonitorsManager.h"
#include "monitor/VtMonitorsState.h"
#include "profiles/MonitorsProfile.h"
#include "tasks/MonitorsTasks.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr auto writeTime = std::chrono::milliseconds(50);

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

    SliderDrag::DeviceReading reading()
    {
        const std::lock_guard lock(mutex);
        return {value, writes};
    }

private:
    std::mutex mutex;
    std::uint32_t value = 50;
    int writes = 0;
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

// One drag against a fresh monitor and queue, so no drag inherits another's backlog.
SliderDrag::Result dragSlider()
{
    const auto control = std::make_shared<SlowMonitorControl>();
    const auto platform = std::make_shared<BenchPlatform>(std::make_shared<BenchMonitor>(control));
    MonitorsTasks tasks(std::make_shared<VtMonitorsManager>(
        [platform](ControlMethod) { return platform; }, std::make_shared<DisplayDeviceInfoDb>(),
        std::make_shared<VtMonitorsState>(Original), std::make_shared<VtMonitorsState>(Controlled),
        ControlMethodHardware));
    const MonitorManagerList listed = SliderDrag::enumerate(tasks);
    return SliderDrag::drag(tasks, {profileIdOf(*listed.at(0)), 0, 100, [&control] { return control->reading(); }});
}

// The goals are SliderDrag's, for a write time of 50 ms.
void sliderDragAgainstSlowMonitor(benchmark::State& state)
{
    SliderDrag::Figures figures;
    for (auto _ : state) {
        const SliderDrag::Result result = dragSlider();
        figures.add(result);
        state.SetIterationTime(result.settleMilliseconds / 1000.0);
    }
    state.counters["writes_median"] = figures.writesMedian();
    state.counters["writes_max"] = figures.writesMax();
    state.counters["final_value_reached"] = figures.allFinalValuesReached() ? 1 : 0;
    state.counters["settle_ms_median"] = figures.settleMedian();
    state.counters["settle_ms_max"] = figures.settleMax();
    state.counters["settle_after_queueing_ms_median"] = figures.settleAfterQueueingMedian();
    state.counters["handler_ms_median"] = figures.handlerMedian();
    state.counters["handler_ms_max"] = figures.handlerMax();
    state.counters["write_cycle_ms_median"] = figures.writeCycleMedian();
}
BENCHMARK(sliderDragAgainstSlowMonitor)->Iterations(7)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
