#pragma once

#include "monitor/MonitorValueKinds.h"

#include <cstdint>
#include <string>

// One way of changing a monitor's picture. Levels are raw device values with
// the device's own range; every get returns minimum, current and maximum
// together. Every bool result means success: a value a back-end does not
// serve is simply a false result, so callers test results, never back-ends.
class MonitorControl {
public:
    virtual std::wstring controlName(MonitorValueKind kind) = 0;
    virtual std::wstring name() = 0;
    virtual ControlMethod controlMethodFor(MonitorValueKind kind) = 0;
    virtual ControlMethod controlMethod() = 0;
    virtual void setPreferredControlMethod(ControlMethod method) = 0;
    virtual bool isSupported(MonitorValueKind kind) = 0;
    virtual bool isColorTemperatureSupported(int index) = 0;
    virtual bool getBrightness(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum) = 0;
    virtual bool setBrightness(std::uint32_t value) = 0;
    virtual bool getContrast(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum) = 0;
    virtual bool setContrast(std::uint32_t value) = 0;
    virtual bool getColorTemperature(int& index) = 0;
    virtual bool setColorTemperature(int index) = 0;
    virtual bool getGain(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                         std::uint32_t& maximum) = 0;
    virtual bool setGain(ColorChannel channel, std::uint32_t value) = 0;
    virtual bool getDrive(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                          std::uint32_t& maximum) = 0;
    virtual bool setDrive(ColorChannel channel, std::uint32_t value) = 0;
    // The state to keep for that kind; empty when this control keeps none.
    virtual std::string saveState(MonitorStateKind kind) = 0;
    virtual bool restoreState(MonitorStateKind kind, const std::string& state) = 0;
    virtual ~MonitorControl() = default;
};
