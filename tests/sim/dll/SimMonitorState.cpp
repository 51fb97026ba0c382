#include "SimMonitorState.h"

#include "SimTextFiles.h"

#include <sstream>

namespace {

constexpr std::string_view monitorSection = "monitor";

const std::vector<SimField<SimMonitorState>>& stateFields()
{
    static const std::vector<SimField<SimMonitorState>> fields = [] {
        std::vector<SimField<SimMonitorState>> all;
        for (size_t index = 0; index < simRangedValueCount; ++index) {
            all.push_back(simNumberField<SimMonitorState>(
                simRangedValueKey(static_cast<SimRangedValue>(index)),
                [index](auto& state) -> auto& { return state.current[index]; }));
        }
        all.push_back(simNumberField<SimMonitorState>(simColorTemperatureKey, &SimMonitorState::colorTemperature));
        all.push_back(simNumberField<SimMonitorState>("writes", &SimMonitorState::successfulWrites));
        return all;
    }();
    return fields;
}

} // namespace

SimMonitorState SimMonitorState::configured(const SimMonitorConfig& monitor)
{
    SimMonitorState state;
    for (size_t index = 0; index < simRangedValueCount; ++index)
        state.current[index] = monitor.ranges[index].current;
    state.colorTemperature = monitor.colorTemperature;
    return state;
}

SimParsed<SimState> parseSimState(std::string_view text)
{
    SimParsed<std::vector<SimIniSection>> sections = parseSimIni(text);
    if (!sections)
        return SimParsed<SimState>::failure(sections.error);
    if (!sections.value->front().entries.empty())
        return SimParsed<SimState>::failure(
            simLineError(sections.value->front().entries.front().line, "key outside a [monitor] section"));
    SimState state;
    for (auto section = sections.value->begin() + 1; section != sections.value->end(); ++section) {
        if (section->name != monitorSection)
            return SimParsed<SimState>::failure(simLineError(section->line, "unknown section '" + section->name + "'"));
        SimParsed<SimMonitorState> monitor = parseSimSection(*section, stateFields(), SimMonitorState{}, true);
        if (!monitor)
            return SimParsed<SimState>::failure(monitor.error);
        state.monitors.push_back(*monitor.value);
    }
    return {std::move(state), {}};
}

std::string formatSimState(const SimState& state)
{
    std::ostringstream out;
    out << "# Current values of the simulated monitors, rewritten after every successful write.\n";
    for (const SimMonitorState& monitor : state.monitors) {
        out << '\n';
        formatSimSection(out, monitorSection, monitor, stateFields());
    }
    return out.str();
}

SimParsed<SimState> readSimStateFile(const std::filesystem::path& path)
{
    const std::optional<std::string> text = readSimTextFile(path);
    if (!text)
        return SimParsed<SimState>::failure("cannot read " + simNarrow(path.native()));
    SimParsed<SimState> state = parseSimState(*text);
    if (!state)
        state.error = simNarrow(path.native()) + ": " + state.error;
    return state;
}

bool writeSimStateFile(const std::filesystem::path& path, const SimState& state)
{
    return replaceSimTextFile(path, formatSimState(state));
}

SimState simStartingState(const SimConfig& config, const SimState& saved)
{
    SimState state;
    for (size_t index = 0; index < config.monitors.size(); ++index) {
        const SimMonitorConfig& monitor = config.monitors[index];
        SimMonitorState current = SimMonitorState::configured(monitor);
        if (index < saved.monitors.size()) {
            const SimMonitorState& kept = saved.monitors[index];
            for (size_t value = 0; value < simRangedValueCount; ++value) {
                if (monitor.ranges[value].holds(kept.current[value]))
                    current.current[value] = kept.current[value];
            }
            if ((monitor.supportedColorTemperatures & simColorTemperatureBit(kept.colorTemperature)) != 0)
                current.colorTemperature = kept.colorTemperature;
            current.successfulWrites = kept.successfulWrites;
        }
        state.monitors.push_back(current);
    }
    return state;
}
