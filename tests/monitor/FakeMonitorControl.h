#pragma once

#include "monitor/MonitorControl.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// An in-memory monitor control: each value has a range, a current value, a
// supported flag and switches to make its get or set fail. It keeps no state
// of its own unless given a saved text to hand back.
class FakeMonitorControl : public MonitorControl {
public:
    struct Level {
        std::uint32_t minimum = 0;
        std::uint32_t current = 50;
        std::uint32_t maximum = 100;
        bool getFails = false;
        bool setFails = false;
        int gets = 0;
        int sets = 0;
    };

    FakeMonitorControl(std::wstring backEndName, ControlMethod method) : backEndName(std::move(backEndName)), method(method) {}

    std::wstring controlName(MonitorValueKind) override { return backEndName; }
    std::wstring name() override { return backEndName; }
    ControlMethod controlMethodFor(MonitorValueKind) override { return method; }
    ControlMethod controlMethod() override { return method; }
    void setPreferredControlMethod(ControlMethod) override {}
    bool isSupported(MonitorValueKind kind) override { return supported[kind]; }
    bool isColorTemperatureSupported(int index) override { return supported[ColorTemperature] && index >= 0 && index < 8; }
    bool getBrightness(std::uint32_t& mn, std::uint32_t& cur, std::uint32_t& mx) override { return get(brightness, mn, cur, mx); }
    bool setBrightness(std::uint32_t value) override { return set(brightness, value); }
    bool getContrast(std::uint32_t& mn, std::uint32_t& cur, std::uint32_t& mx) override { return get(contrast, mn, cur, mx); }
    bool setContrast(std::uint32_t value) override { return set(contrast, value); }
    bool getColorTemperature(int& index) override
    {
        index = colorTemperature;
        return supported[ColorTemperature];
    }
    bool setColorTemperature(int index) override
    {
        if (!supported[ColorTemperature])
            return false;
        colorTemperature = index;
        return true;
    }
    bool getGain(ColorChannel channel, std::uint32_t& mn, std::uint32_t& cur, std::uint32_t& mx) override
    {
        return supported[RgbGain] && get(gains[channel], mn, cur, mx);
    }
    bool setGain(ColorChannel channel, std::uint32_t value) override
    {
        return supported[RgbGain] && set(gains[channel], value);
    }
    bool getDrive(ColorChannel channel, std::uint32_t& mn, std::uint32_t& cur, std::uint32_t& mx) override
    {
        return supported[RgbDrive] && get(drives[channel], mn, cur, mx);
    }
    bool setDrive(ColorChannel channel, std::uint32_t value) override
    {
        return supported[RgbDrive] && set(drives[channel], value);
    }
    std::string saveState(MonitorStateKind kind) override
    {
        stateCalls.push_back(std::string("save ") + kindName(kind));
        return kind == Original ? savedState : savedControlledState;
    }
    bool restoreState(MonitorStateKind kind, const std::string& state) override
    {
        stateCalls.push_back(std::string("restore ") + kindName(kind) + " " + state);
        restoredState = state;
        ++restores;
        return !restoreFails;
    }

    std::wstring backEndName;
    ControlMethod method;
    std::array<bool, monitorValueKindCount> supported{true, true, false, true, false};
    Level brightness;
    Level contrast;
    std::array<Level, 3> gains;
    std::array<Level, 3> drives;
    int colorTemperature = 2;
    std::string savedState;
    std::string savedControlledState;
    std::string restoredState;
    bool restoreFails = false;
    int restores = 0;
    // Every saveState and restoreState call in order, as "save Original" or
    // "restore Controlled <text>".
    std::vector<std::string> stateCalls;

private:
    static const char* kindName(MonitorStateKind kind) { return kind == Original ? "Original" : "Controlled"; }
    static bool get(Level& level, std::uint32_t& mn, std::uint32_t& cur, std::uint32_t& mx)
    {
        ++level.gets;
        if (level.getFails)
            return false;
        mn = level.minimum;
        cur = level.current;
        mx = level.maximum;
        return true;
    }
    static bool set(Level& level, std::uint32_t value)
    {
        ++level.sets;
        if (level.setFails || value < level.minimum || value > level.maximum)
            return false;
        level.current = value;
        return true;
    }
};
