#pragma once

#include "monitor/MonitorControl.h"
#include "monitor/MonitorLevel.h"
#include "monitor/MonitorManager.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

// A monitor's control that remembers the range of every level it has read
// (brightness, contrast, each channel's gain), so that writing a fraction of
// a level costs the device one write instead of a read and a write: on
// DDC/CI that is 50 ms instead of 90 for every step of a dragged slider.
// Every other call is passed on unchanged.
//
// Like any control it is used by one thread at a time, the monitor-task
// worker; it has no lock. Only the calls a control answers from what it learnt
// when it was made (isSupported, controlName and the like) may come from
// another thread, and this one answers them from the control it wraps.
class RangeKeepingControl : public MonitorControl {
public:
    explicit RangeKeepingControl(std::shared_ptr<MonitorControl> control);

    // Writes the fraction of the level's range as last read; a level never
    // read is read first. A write that fails reads the range again, since
    // the monitor may no longer have the range it had, and when that read
    // succeeds, writes once more with the value for the range just read. A
    // read that fails forgets the range: a monitor that has gone then costs
    // one failed read per write instead of a write and a read.
    bool writeFraction(MonitorLevel level, float fraction);

    std::wstring controlName(MonitorValueKind kind) override;
    std::wstring name() override;
    ControlMethod controlMethodFor(MonitorValueKind kind) override;
    ControlMethod controlMethod() override;
    void setPreferredControlMethod(ControlMethod method) override;
    bool isSupported(MonitorValueKind kind) override;
    bool isColorTemperatureSupported(int index) override;
    bool getBrightness(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum) override;
    bool setBrightness(std::uint32_t value) override;
    bool getContrast(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum) override;
    bool setContrast(std::uint32_t value) override;
    bool getColorTemperature(int& index) override;
    bool setColorTemperature(int index) override;
    bool getGain(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                 std::uint32_t& maximum) override;
    bool setGain(ColorChannel channel, std::uint32_t value) override;
    bool getDrive(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                  std::uint32_t& maximum) override;
    bool setDrive(ColorChannel channel, std::uint32_t value) override;
    std::string saveState(MonitorStateKind kind) override;
    bool restoreState(MonitorStateKind kind, const std::string& state) override;

private:
    struct Range {
        std::uint32_t minimum;
        std::uint32_t maximum;
    };
    // Brightness, contrast, then the gains of red, green and blue.
    static constexpr std::size_t levelCount = 5;

    // Where the level's range is kept; nothing for a level that has none (a drive).
    static std::optional<std::size_t> slotOf(MonitorLevel level);
    // Reads the level through this control, which keeps or forgets its range.
    std::optional<Range> readRange(MonitorLevel level);
    void keep(MonitorLevel level, bool read, std::uint32_t minimum, std::uint32_t maximum);
    bool writeWithin(MonitorLevel level, const Range& range, float fraction);

    std::shared_ptr<MonitorControl> control;
    std::array<std::optional<Range>, levelCount> ranges;
};

// A listed monitor whose control is a RangeKeepingControl over the monitor's
// own; the device and the adapter are the monitor's.
class RangeKeepingMonitor : public MonitorManager {
public:
    explicit RangeKeepingMonitor(std::shared_ptr<MonitorManager> monitor);

    std::shared_ptr<DisplayDeviceInfo> displayDevice() const override { return monitor->displayDevice(); }
    std::shared_ptr<DisplayDeviceInfo> adapterDevice() const override { return monitor->adapterDevice(); }
    std::shared_ptr<MonitorControl> control() const override { return levels; }
    const std::shared_ptr<RangeKeepingControl>& rangeKeepingControl() const { return levels; }

private:
    std::shared_ptr<MonitorManager> monitor;
    std::shared_ptr<RangeKeepingControl> levels;
};
