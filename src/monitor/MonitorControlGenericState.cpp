#include "monitor/MonitorControlGenericState.h"

#include "monitor/MonitorControl.h"
#include "monitor/MonitorFraction.h"
#include "persistence/kelJson2SerializationStreams.h"
#include "persistence/kelSerializationIoStream.h"

#include <array>

namespace {

struct ChannelField {
    ColorChannel channel;
    std::uint32_t bit;
    float MonitorControlGenericState::*fraction;
};

constexpr std::array<ChannelField, 3> channelFields{{
    {Red, MonitorControlGenericState::haveRed, &MonitorControlGenericState::red},
    {Green, MonitorControlGenericState::haveGreen, &MonitorControlGenericState::green},
    {Blue, MonitorControlGenericState::haveBlue, &MonitorControlGenericState::blue},
}};

} // namespace

void MonitorControlGenericState::captureFrom(MonitorControl& control)
{
    have = 0;
    std::uint32_t minimum = 0, current = 0, maximum = 0;
    if (control.isSupported(Brightness) && control.getBrightness(minimum, current, maximum)) {
        brightness = monitorFraction(minimum, current, maximum);
        have |= haveBrightness;
    }
    if (control.isSupported(Contrast) && control.getContrast(minimum, current, maximum)) {
        contrast = monitorFraction(minimum, current, maximum);
        have |= haveContrast;
    }
    if (!control.isSupported(RgbGain))
        return;
    for (const auto& field : channelFields) {
        if (control.getGain(field.channel, minimum, current, maximum)) {
            this->*field.fraction = monitorFraction(minimum, current, maximum);
            have |= field.bit;
        }
    }
}

bool MonitorControlGenericState::applyTo(MonitorControl& control) const
{
    bool result = true;
    std::uint32_t minimum = 0, current = 0, maximum = 0;
    if ((have & haveBrightness) && control.isSupported(Brightness) &&
        control.getBrightness(minimum, current, maximum))
        result &= control.setBrightness(monitorValueFromFraction(minimum, maximum, brightness));
    if ((have & haveContrast) && control.isSupported(Contrast) && control.getContrast(minimum, current, maximum))
        result &= control.setContrast(monitorValueFromFraction(minimum, maximum, contrast));
    if (!control.isSupported(RgbGain))
        return result;
    for (const auto& field : channelFields) {
        if ((have & field.bit) && control.getGain(field.channel, minimum, current, maximum))
            result &= control.setGain(field.channel, monitorValueFromFraction(minimum, maximum, this->*field.fraction));
    }
    return result;
}

bool MonitorControlGenericState::serialize(kelSerializationIoStream& io, unsigned flags)
{
    return io.serializeValue(L"have", have, true) && io.serializeValue(L"brightness", brightness, true) &&
           io.serializeValue(L"contrast", contrast, true) && io.serializeValue(L"r", red, true) &&
           io.serializeValue(L"g", green, true) && io.serializeValue(L"b", blue, true);
}

std::string saveGenericState(MonitorControl& control, MonitorStateKind kind)
{
    if (kind != Original)
        return {};
    MonitorControlGenericState state;
    state.captureFrom(control);
    return saveToJsonString(state);
}

bool restoreGenericState(MonitorControl& control, MonitorStateKind kind, const std::string& state)
{
    if (kind != Original)
        return true;
    MonitorControlGenericState generic;
    if (!loadFromJsonString(generic, state))
        return false;
    return generic.applyTo(control);
}
