#include "monitor/MonitorControlGenericState.h"

#include "monitor/MonitorControl.h"
#include "monitor/MonitorFraction.h"
#include "monitor/MonitorLevel.h"
#include "persistence/kelJson2SerializationStreams.h"
#include "persistence/kelSerializationIoStream.h"

#include <array>

namespace {

// Each kept value, in the order the control is read and written.
struct LevelField {
    MonitorLevel level;
    std::uint32_t bit;
    float MonitorControlGenericState::*fraction;
};

constexpr std::array<LevelField, 5> levelFields{{
    {{Brightness}, MonitorControlGenericState::haveBrightness, &MonitorControlGenericState::brightness},
    {{Contrast}, MonitorControlGenericState::haveContrast, &MonitorControlGenericState::contrast},
    {{RgbGain, Red}, MonitorControlGenericState::haveRed, &MonitorControlGenericState::red},
    {{RgbGain, Green}, MonitorControlGenericState::haveGreen, &MonitorControlGenericState::green},
    {{RgbGain, Blue}, MonitorControlGenericState::haveBlue, &MonitorControlGenericState::blue},
}};

} // namespace

void MonitorControlGenericState::captureFrom(MonitorControl& control)
{
    have = 0;
    for (const auto& field : levelFields) {
        if (!control.isSupported(field.level.kind))
            continue;
        if (const auto reading = readLevel(control, field.level)) {
            this->*field.fraction = reading->fraction();
            have |= field.bit;
        }
    }
}

// A value the control can no longer read is left alone without counting as
// a failure: only a refused write does.
bool MonitorControlGenericState::applyTo(MonitorControl& control) const
{
    bool result = true;
    for (const auto& field : levelFields) {
        if (!(have & field.bit) || !control.isSupported(field.level.kind))
            continue;
        if (const auto reading = readLevel(control, field.level))
            result &= setLevel(control, field.level,
                               monitorValueFromFraction(reading->minimum, reading->maximum, this->*field.fraction));
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
