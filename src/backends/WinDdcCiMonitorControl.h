#pragma once

#include "monitor/MonitorControl.h"

#include <windows.h>

#include <bitset>
#include <memory>

class WinMonitorConfigurationApi;

// One physical monitor reached over the display cable (DDC/CI). It deals only
// in the monitor's raw values; what the monitor supports is read once, when
// the control is made. It has no lock: every call comes from the monitor task
// worker.
class WinDdcCiMonitorControl final : public MonitorControl {
public:
    // Takes over physicalMonitor and releases it through api when destroyed.
    WinDdcCiMonitorControl(std::shared_ptr<WinMonitorConfigurationApi> api, HANDLE physicalMonitor);
    ~WinDdcCiMonitorControl() override;
    WinDdcCiMonitorControl(const WinDdcCiMonitorControl&) = delete;
    WinDdcCiMonitorControl& operator=(const WinDdcCiMonitorControl&) = delete;

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
    bool getGain(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum) override;
    bool setGain(ColorChannel channel, std::uint32_t value) override;
    bool getDrive(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                  std::uint32_t& maximum) override;
    bool setDrive(ColorChannel channel, std::uint32_t value) override;
    std::string saveState(MonitorStateKind kind) override;
    bool restoreState(MonitorStateKind kind, const std::string& state) override;

private:
    using Flags = std::bitset<64>;

    void readCapabilities(DWORD capabilities, DWORD colorTemperatures);
    void probe();

    std::shared_ptr<WinMonitorConfigurationApi> api;
    HANDLE physicalMonitor;
    Flags supportedKinds;
    Flags supportedColorTemperatures;
};
