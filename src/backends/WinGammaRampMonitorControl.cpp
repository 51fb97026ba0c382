#include "backends/WinGammaRampMonitorControl.h"

#include "backends/WinGammaRampMonitorControlState.h"
#include "persistence/kelJson2SerializationStreams.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr std::uint32_t brightnessMaximum = 100;
constexpr std::uint32_t gainMaximum = 256;
// Gains are compared with a tolerance, brightness exactly: the gains estimated
// at start are rarely exact multiples of 1/256, and a gain that only re-states
// one is not worth a write.
constexpr float gainTolerance = 0.0001f;

// A coefficient read from a kept state may be any finite size, so the level
// is held to what a level can hold.
std::uint32_t levelOf(float coefficient, std::uint32_t maximum)
{
    return static_cast<std::uint32_t>(saturatingTruncate(coefficient * static_cast<float>(maximum),
                                                         std::numeric_limits<std::uint32_t>::max()));
}

ColorChannel checked(ColorChannel channel)
{
    if (channel != Red && channel != Green && channel != Blue)
        throw std::invalid_argument("gamma-ramp gain: no such colour channel");
    return channel;
}

} // namespace

WinGammaRampMonitorControl::WinGammaRampMonitorControl(std::shared_ptr<WinGammaRampApi> api, std::wstring deviceName)
    : api(std::move(api)), deviceName(std::move(deviceName)), dc(nullptr, WinGammaRampDCDeleter{this->api})
{
}

bool WinGammaRampMonitorControl::initialize()
{
    dc.reset(api->createDisplayDC(deviceName.empty() ? nullptr : deviceName.c_str()));
    if (!dc || !api->getDeviceGammaRamp(dc.get(), ramp))
        return false;
    // A driver that does not report gamma support may still take a ramp; writing back
    // the ramp just read proves it without changing the picture.
    if (api->getDeviceCaps(dc.get(), COLORMGMTCAPS) != CM_GAMMA_RAMP && !api->setDeviceGammaRamp(dc.get(), ramp))
        return false;
    initialised = true;
    coefficients = GammaCoefficients::estimatedFrom(ramp);
    return true;
}

std::wstring WinGammaRampMonitorControl::controlName(MonitorValueKind)
{
    return name();
}

std::wstring WinGammaRampMonitorControl::name()
{
    return L"GammaRamp";
}

ControlMethod WinGammaRampMonitorControl::controlMethodFor(MonitorValueKind)
{
    return ControlMethodGammaRamp;
}

ControlMethod WinGammaRampMonitorControl::controlMethod()
{
    return ControlMethodGammaRamp;
}

void WinGammaRampMonitorControl::setPreferredControlMethod(ControlMethod) {}

bool WinGammaRampMonitorControl::isSupported(MonitorValueKind kind)
{
    return initialised && (kind == Brightness || kind == RgbGain);
}

bool WinGammaRampMonitorControl::isColorTemperatureSupported(int)
{
    return false;
}

bool WinGammaRampMonitorControl::getBrightness(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum)
{
    minimum = 0;
    current = levelOf(coefficients.rgb, brightnessMaximum);
    maximum = brightnessMaximum;
    return true;
}

bool WinGammaRampMonitorControl::setBrightness(std::uint32_t value)
{
    const float brightness = static_cast<float>(value) / static_cast<float>(brightnessMaximum);
    if (brightness == coefficients.rgb)
        return true;
    GammaCoefficients changed = coefficients;
    changed.rgb = brightness;
    if (!load(changed.ramp()))
        return false;
    coefficients = changed;
    return true;
}

bool WinGammaRampMonitorControl::getContrast(std::uint32_t&, std::uint32_t&, std::uint32_t&)
{
    return false;
}

bool WinGammaRampMonitorControl::setContrast(std::uint32_t)
{
    return false;
}

bool WinGammaRampMonitorControl::getColorTemperature(int&)
{
    return false;
}

bool WinGammaRampMonitorControl::setColorTemperature(int)
{
    return false;
}

bool WinGammaRampMonitorControl::getGain(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                                         std::uint32_t& maximum)
{
    minimum = 0;
    current = levelOf(coefficients.channels[checked(channel)], gainMaximum);
    maximum = gainMaximum;
    return true;
}

bool WinGammaRampMonitorControl::setGain(ColorChannel channel, std::uint32_t value)
{
    const float gain = static_cast<float>(value) * (1.0f / static_cast<float>(gainMaximum));
    float& coefficient = coefficients.channels[checked(channel)];
    if (std::fabs(gain - coefficient) <= gainTolerance)
        return true;
    GammaRamp changed = ramp;
    fillGammaChannel(changed, channel, gain * coefficients.rgb);
    if (!load(changed))
        return false;
    coefficient = gain;
    return true;
}

bool WinGammaRampMonitorControl::getDrive(ColorChannel, std::uint32_t&, std::uint32_t&, std::uint32_t&)
{
    return false;
}

bool WinGammaRampMonitorControl::setDrive(ColorChannel, std::uint32_t)
{
    return false;
}

std::string WinGammaRampMonitorControl::saveState(MonitorStateKind kind)
{
    WinGammaRampMonitorControlState state;
    state.coefficients = coefficients;
    if (kind == Original)
        state.ramp = ramp;
    return saveToJsonString(state);
}

bool WinGammaRampMonitorControl::restoreState(MonitorStateKind kind, const std::string& text)
{
    WinGammaRampMonitorControlState state;
    if (!loadFromJsonString(state, text))
        return false;
    if (kind == Controlled) {
        if (state.coefficients.ramp() == ramp)
            coefficients = state.coefficients;
        return true;
    }
    if (!state.ramp || !load(*state.ramp))
        return false;
    coefficients = state.coefficients;
    return true;
}

bool WinGammaRampMonitorControl::load(const GammaRamp& newRamp)
{
    if (!initialised || !api->setDeviceGammaRamp(dc.get(), newRamp))
        return false;
    ramp = newRamp;
    return true;
}
