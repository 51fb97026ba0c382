#include "profiles/MonitorProfile.h"

#include "monitor/MonitorControl.h"
#include "persistence/kelSerializationIoStream.h"

namespace {

float fractionOrFull(MonitorControl& control, MonitorValueKind kind)
{
    if (!control.isSupported(kind))
        return 1.0f;
    return readLevelFraction(control, {kind}).value_or(1.0f);
}

} // namespace

MonitorProfile::MonitorProfile() : gains{{Red, 1.0f}, {Green, 1.0f}, {Blue, 1.0f}} {}

bool MonitorProfile::captureFrom(MonitorControl& control)
{
    brightness = fractionOrFull(control, Brightness);
    contrast = fractionOrFull(control, Contrast);
    if (control.isSupported(RgbGain)) {
        for (auto& [channel, fraction] : gains)
            fraction = readLevelFraction(control, {RgbGain, channel}).value_or(fraction);
    }
    return true;
}

void MonitorProfile::applyTo(MonitorControl& control) const
{
    if (control.isSupported(Brightness))
        writeLevelFraction(control, {Brightness}, brightness);
    if (control.isSupported(Contrast))
        writeLevelFraction(control, {Contrast}, contrast);
    if (control.isSupported(RgbGain)) {
        for (const auto& [channel, fraction] : gains)
            writeLevelFraction(control, {RgbGain, channel}, fraction);
    }
}

void MonitorProfile::setFraction(MonitorLevel level, float fraction)
{
    switch (level.kind) {
    case Brightness:
        brightness = fraction;
        break;
    case Contrast:
        contrast = fraction;
        break;
    case RgbGain:
        gains[level.channel] = fraction;
        break;
    default:
        break;
    }
}

bool MonitorProfile::serialize(kelSerializationIoStream& io, unsigned flags)
{
    return io.serializeValue(L"brightness", brightness, true) && io.serializeValue(L"contrast", contrast, true) &&
           io.serializeValue(L"R", gains[Red], true) && io.serializeValue(L"G", gains[Green], true) &&
           io.serializeValue(L"B", gains[Blue], true);
}
