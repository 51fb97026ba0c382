#include "monitor/MonitorLevel.h"

#include "monitor/MonitorControl.h"
#include "monitor/MonitorFraction.h"

float MonitorLevelReading::fraction() const
{
    return monitorFraction(minimum, current, maximum);
}

std::optional<MonitorLevelReading> readLevel(MonitorControl& control, MonitorLevel level)
{
    MonitorLevelReading reading{0, 0, 0};
    bool read = false;
    switch (level.kind) {
    case Brightness:
        read = control.getBrightness(reading.minimum, reading.current, reading.maximum);
        break;
    case Contrast:
        read = control.getContrast(reading.minimum, reading.current, reading.maximum);
        break;
    case RgbGain:
        read = control.getGain(level.channel, reading.minimum, reading.current, reading.maximum);
        break;
    default:
        break;
    }
    return read ? std::optional(reading) : std::nullopt;
}

bool setLevel(MonitorControl& control, MonitorLevel level, std::uint32_t value)
{
    switch (level.kind) {
    case Brightness:
        return control.setBrightness(value);
    case Contrast:
        return control.setContrast(value);
    case RgbGain:
        return control.setGain(level.channel, value);
    default:
        return false;
    }
}

std::optional<float> readLevelFraction(MonitorControl& control, MonitorLevel level)
{
    const auto reading = readLevel(control, level);
    if (!reading || reading->maximum == 0)
        return std::nullopt;
    return reading->fraction();
}

bool writeLevelFraction(MonitorControl& control, MonitorLevel level, float fraction)
{
    const auto reading = readLevel(control, level);
    return reading && setLevel(control, level, monitorValueFromFraction(reading->minimum, reading->maximum, fraction));
}
