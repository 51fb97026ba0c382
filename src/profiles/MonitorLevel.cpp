#include "profiles/MonitorLevel.h"

#include "monitor/MonitorControl.h"
#include "monitor/MonitorFraction.h"

namespace {

bool getLevel(MonitorControl& control, MonitorLevel level, std::uint32_t& minimum, std::uint32_t& current,
              std::uint32_t& maximum)
{
    switch (level.kind) {
    case Brightness:
        return control.getBrightness(minimum, current, maximum);
    case Contrast:
        return control.getContrast(minimum, current, maximum);
    case RgbGain:
        return control.getGain(level.channel, minimum, current, maximum);
    default:
        return false;
    }
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

} // namespace

std::optional<float> readLevelFraction(MonitorControl& control, MonitorLevel level)
{
    std::uint32_t minimum = 0, current = 0, maximum = 0;
    if (!getLevel(control, level, minimum, current, maximum) || maximum == 0)
        return std::nullopt;
    return monitorFraction(minimum, current, maximum);
}

bool writeLevelFraction(MonitorControl& control, MonitorLevel level, float fraction)
{
    std::uint32_t minimum = 0, current = 0, maximum = 0;
    return getLevel(control, level, minimum, current, maximum) &&
           setLevel(control, level, monitorValueFromFraction(minimum, maximum, fraction));
}
