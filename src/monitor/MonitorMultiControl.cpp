#include "monitor/MonitorMultiControl.h"

#include "monitor/MonitorMultiControlState.h"
#include "persistence/kelJson2SerializationStreams.h"

MonitorMultiControl::MonitorMultiControl(std::vector<std::shared_ptr<MonitorControl>> controls,
                                         ControlMethod preferredMethod)
    : preferredMethod(preferredMethod), controls(std::move(controls))
{
    select();
}

void MonitorMultiControl::select()
{
    for (int kind = 0; kind < monitorValueKindCount; ++kind)
        chosen[kind] = chooseFor(static_cast<MonitorValueKind>(kind));
    commonMethod = ControlMethodNone;
    bool first = true;
    for (int kind = 0; kind < monitorValueKindCount; ++kind) {
        if (!chosen[kind])
            continue;
        const ControlMethod method = chosen[kind]->controlMethodFor(static_cast<MonitorValueKind>(kind));
        if (first) {
            commonMethod = method;
            first = false;
        } else if (method != commonMethod) {
            commonMethod = ControlMethodNone;
            return;
        }
    }
}

std::shared_ptr<MonitorControl> MonitorMultiControl::chooseFor(MonitorValueKind kind) const
{
    std::shared_ptr<MonitorControl> fallback;
    for (const auto& control : controls) {
        if (!control->isSupported(kind))
            continue;
        if (preferredMethod == ControlMethodNone || control->controlMethodFor(kind) == preferredMethod)
            return control;
        if (!fallback)
            fallback = control;
    }
    return fallback;
}

std::shared_ptr<MonitorControl> MonitorMultiControl::chosenFor(int kind) const
{
    return kind >= 0 && kind < monitorValueKindCount ? chosen[kind] : nullptr;
}

std::wstring MonitorMultiControl::controlName(MonitorValueKind kind)
{
    auto control = chosenFor(kind);
    return control ? control->controlName(kind) : std::wstring();
}

std::wstring MonitorMultiControl::name()
{
    return L"multi-control";
}

ControlMethod MonitorMultiControl::controlMethodFor(MonitorValueKind kind)
{
    auto control = chosenFor(kind);
    return control ? control->controlMethodFor(kind) : ControlMethodNone;
}

ControlMethod MonitorMultiControl::controlMethod()
{
    return commonMethod;
}

void MonitorMultiControl::setPreferredControlMethod(ControlMethod method)
{
    preferredMethod = method;
    if (!controls.empty())
        select();
}

bool MonitorMultiControl::isSupported(MonitorValueKind kind)
{
    return chosenFor(kind) != nullptr;
}

bool MonitorMultiControl::isColorTemperatureSupported(int index)
{
    return forward(ColorTemperature, [&](MonitorControl& control) { return control.isColorTemperatureSupported(index); });
}

bool MonitorMultiControl::getBrightness(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum)
{
    return forward(Brightness, [&](MonitorControl& control) { return control.getBrightness(minimum, current, maximum); });
}

bool MonitorMultiControl::setBrightness(std::uint32_t value)
{
    return forward(Brightness, [&](MonitorControl& control) { return control.setBrightness(value); });
}

bool MonitorMultiControl::getContrast(std::uint32_t& minimum, std::uint32_t& current, std::uint32_t& maximum)
{
    return forward(Contrast, [&](MonitorControl& control) { return control.getContrast(minimum, current, maximum); });
}

bool MonitorMultiControl::setContrast(std::uint32_t value)
{
    return forward(Contrast, [&](MonitorControl& control) { return control.setContrast(value); });
}

bool MonitorMultiControl::getColorTemperature(int& index)
{
    return forward(ColorTemperature, [&](MonitorControl& control) { return control.getColorTemperature(index); });
}

bool MonitorMultiControl::setColorTemperature(int index)
{
    return forward(ColorTemperature, [&](MonitorControl& control) { return control.setColorTemperature(index); });
}

bool MonitorMultiControl::getGain(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                                  std::uint32_t& maximum)
{
    return forward(RgbGain, [&](MonitorControl& control) { return control.getGain(channel, minimum, current, maximum); });
}

bool MonitorMultiControl::setGain(ColorChannel channel, std::uint32_t value)
{
    return forward(RgbGain, [&](MonitorControl& control) { return control.setGain(channel, value); });
}

bool MonitorMultiControl::getDrive(ColorChannel channel, std::uint32_t& minimum, std::uint32_t& current,
                                   std::uint32_t& maximum)
{
    return forward(RgbDrive, [&](MonitorControl& control) { return control.getDrive(channel, minimum, current, maximum); });
}

bool MonitorMultiControl::setDrive(ColorChannel channel, std::uint32_t value)
{
    return forward(RgbDrive, [&](MonitorControl& control) { return control.setDrive(channel, value); });
}

std::string MonitorMultiControl::saveState(MonitorStateKind kind)
{
    MonitorMultiControlState state;
    for (const auto& control : controls) {
        std::string text = control->saveState(kind);
        if (!text.empty())
            state.states[control->name()] = std::move(text);
    }
    return saveToJsonString(state);
}

bool MonitorMultiControl::restoreState(MonitorStateKind kind, const std::string& text)
{
    MonitorMultiControlState state;
    if (!loadFromJsonString(state, text))
        return false;
    bool result = true;
    for (const auto& control : controls) {
        auto found = state.states.find(control->name());
        if (found != state.states.end() && !control->restoreState(kind, found->second))
            result = false;
    }
    return result;
}
