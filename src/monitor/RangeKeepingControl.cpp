#include "monitor/RangeKeepingControl.h"

#include "monitor/MonitorFraction.h"

#include <stdexcept>
#include <utility>

RangeKeepingControl::RangeKeepingControl(std::shared_ptr<MonitorControl> control) : control(std::move(control))
{
    if (!this->control)
        throw std::invalid_argument("RangeKeepingControl needs a control to pass calls on to");
}

bool RangeKeepingControl::writeFraction(MonitorLevel level, float fraction)
{
    const auto slot = slotOf(level);
    if (!slot)
        return false;
    if (const auto known = ranges[*slot]; known && writeWithin(level, *known, fraction))
        return true;
    const auto reread = readRange(level);
    return reread && writeWithin(level, *reread, fraction);
}

std::optional<std::size_t> RangeKeepingControl::slotOf(MonitorLevel level)
{
    switch (level.kind) {
    case Brightness:
        return 0;
    case Contrast:
        return 1;
    case RgbGain:
        if (level.channel >= Red && level.channel <= Blue)
            return 2 + static_cast<std::size_t>(level.channel);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<RangeKeepingControl::Range> RangeKeepingControl::readRange(MonitorLevel level)
{
    const auto reading = readLevel(*this, level);
    return reading ? std::optional(Range{reading->minimum, reading->maximum}) : std::nullopt;
}

void RangeKeepingControl::keep(MonitorLevel level, bool read, std::uint32_t minimum, std::uint32_t maximum)
{
    if (const auto slot = slotOf(level))
        ranges[*slot] = read ? std::optional(Range{minimum, maximum}) : std::nullopt;
}

bool RangeKeepingControl::writeWithin(MonitorLevel level, const Range& range, float fraction)
{
    return setLevel(*control, level, monitorValueFromFraction(range.minimum, range.maximum, fraction));
}

std::wstring RangeKeepingControl::controlName(MonitorValueKind kind)
{
    return control->controlName(kind);
}

std::wstring RangeKeepingControl::name()
{
    return control->name();
}

ControlMethod RangeKeepingControl::controlMethodFor(MonitorValueKind kind)
{
    return control->controlMethodFor(kind);
}

ControlMethod RangeKeepingControl::controlMethod()
{
    return control->controlMethod();
}

void RangeKeepingControl::setPreferredControlMethod(ControlMethod method)
{
    control->setPreferredControlMethod(method);
}

bool RangeKeepingControl::isSupported(MonitorValueKind kind)
{
    return control->isSupported(kind);
}

bool RangeKeepingControl::isColorTemperatureSupported(int index)
{
    return control->isColorTemperatureSupported(index);
}

bool RangeKeepingControl::getBrightness(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum)
{
    const bool read = control->getBrightness(minimum, current, maximum);
    keep({Brightness}, read, minimum, maximum);
    return read;
}

bool RangeKeepingControl::setBrightness(std::uint32_t value)
{
    return control->setBrightness(value);
}

bool RangeKeepingControl::getContrast(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum)
{
    const bool read = control->getContrast(minimum, current, maximum);
    keep({Contrast}, read, minimum, maximum);
    return read;
}

bool RangeKeepingControl::setContrast(std::uint32_t value)
{
    return control->setContrast(value);
}

bool RangeKeepingControl::getColorTemperature(int& index)
{
    return control->getColorTemperature(index);
}

bool RangeKeepingControl::setColorTemperature(int index)
{
    return control->setColorTemperature(index);
}

bool RangeKeepingControl::getGain(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                                  std::uint32_t& maximum)
{
    const bool read = control->getGain(channel, minimum, current, maximum);
    keep({RgbGain, channel}, read, minimum, maximum);
    return read;
}

bool RangeKeepingControl::setGain(ColorChannel channel, std::uint32_t value)
{
    return control->setGain(channel, value);
}

bool RangeKeepingControl::getDrive(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                                   std::uint32_t& maximum)
{
    return control->getDrive(channel, minimum, current, maximum);
}

bool RangeKeepingControl::setDrive(ColorChannel channel, std::uint32_t value)
{
    return control->setDrive(channel, value);
}

std::string RangeKeepingControl::saveState(MonitorStateKind kind)
{
    return control->saveState(kind);
}

bool RangeKeepingControl::restoreState(MonitorStateKind kind, const std::string& state)
{
    return control->restoreState(kind, state);
}

RangeKeepingMonitor::RangeKeepingMonitor(std::shared_ptr<MonitorManager> monitor) : monitor(std::move(monitor))
{
    if (!this->monitor)
        throw std::invalid_argument("RangeKeepingMonitor needs a monitor");
    if (auto own = this->monitor->control())
        levels = std::make_shared<RangeKeepingControl>(std::move(own));
}
