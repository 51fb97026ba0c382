#pragma once

#include "backends/GammaRampFormulas.h"
#include "backends/WinGammaRampApi.h"
#include "monitor/MonitorControl.h"

#include <memory>
#include <string>

// Dims and tints one display through the gamma ramp of its video output,
// without the monitor's help. Brightness (0 to 100) and each channel's gain
// (0 to 256) are coefficients that one formula turns into the ramp; the
// coefficients are estimated back from the card's ramp at start. The ramp is
// left as it is when the control goes.
class WinGammaRampMonitorControl : public MonitorControl {
public:
    WinGammaRampMonitorControl(std::shared_ptr<WinGammaRampApi> api, std::wstring deviceName);

    // Opens the display and reads its ramp; false when the display takes no
    // ramp, and such a control is never used.
    bool initialize();

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
    // channel must be Red, Green or Blue; anything else throws std::invalid_argument.
    bool getGain(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                 std::uint32_t& maximum) override;
    bool setGain(ColorChannel channel, std::uint32_t value) override;
    bool getDrive(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                  std::uint32_t& maximum) override;
    bool setDrive(ColorChannel channel, std::uint32_t value) override;
    // Controlled: the coefficients; Original: the coefficients and the ramp.
    std::string saveState(MonitorStateKind kind) override;
    // Controlled takes the saved coefficients only when they make the very
    // ramp the card holds, and writes nothing; Original loads the saved ramp.
    bool restoreState(MonitorStateKind kind, const std::string& state) override;

private:
    // Loads ramp into the card; the control's ramp follows only on success.
    bool load(const GammaRamp& newRamp);

    std::shared_ptr<WinGammaRampApi> api;
    std::wstring deviceName;
    bool initialised = false;
    WinGammaRampDC dc;
    // The last ramp read from the card or loaded into it.
    GammaRamp ramp{};
    GammaCoefficients coefficients;
};
