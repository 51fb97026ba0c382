#include "monitor/MonitorFraction.h"

#include <cmath>

float monitorFraction(std::uint32_t minimum, std::uint32_t current, std::uint32_t maximum)
{
    if (maximum <= minimum || current <= minimum)
        return 0.0f;
    if (current >= maximum)
        return 1.0f;
    return static_cast<float>(current - minimum) / static_cast<float>(maximum - minimum);
}

std::uint32_t monitorValueFromFraction(std::uint32_t minimum, std::uint32_t maximum, float fraction)
{
    if (maximum <= minimum || std::isnan(fraction) || fraction <= 0.0f)
        return minimum;
    if (fraction >= 1.0f)
        return maximum;
    const float width = static_cast<float>(maximum - minimum);
    return minimum + static_cast<std::uint32_t>(width * fraction);
}
