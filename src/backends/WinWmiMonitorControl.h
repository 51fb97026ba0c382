#pragma once

#include "monitor/MonitorControl.h"

#include <memory>
#include <string>

class WbemClassObject;
class WbemLocator;
class WbemServices;

// The brightness of a built-in panel through WMI, on a scale of 0 to 100.
// It serves brightness only; every other value is refused.
class WinWmiMonitorControl : public MonitorControl {
public:
    WinWmiMonitorControl(std::shared_ptr<WbemLocator> locator, std::shared_ptr<WbemServices> services,
                         std::wstring instanceName);

    // Finds the monitor's brightness and brightness-methods instances; only
    // a control that has both is of any use.
    bool initialize();

    std::wstring controlName(MonitorValueKind kind) override;
    std::wstring name() override;
    ControlMethod controlMethodFor(MonitorValueKind kind) override;
    ControlMethod controlMethod() override;
    void setPreferredControlMethod(ControlMethod method) override;
    bool isSupported(MonitorValueKind kind) override;
    bool isColorTemperatureSupported(int index) override;
    // Asks WMI anew every time, since other programs and the platform's own
    // keys change the panel's brightness too.
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
    // The instance of the class that belongs to this monitor, by its instance name.
    std::shared_ptr<WbemClassObject> findInstance(const std::wstring& className) const;
    std::shared_ptr<WbemClassObject> setBrightnessParameters(std::uint32_t value) const;

    std::shared_ptr<WbemLocator> locator;
    std::shared_ptr<WbemServices> services;
    std::wstring instanceName;
    std::shared_ptr<WbemClassObject> brightnessObject;
    std::shared_ptr<WbemClassObject> methodsObject;
};
