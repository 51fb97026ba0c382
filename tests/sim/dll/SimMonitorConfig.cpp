#include "SimMonitorConfig.h"

#include "SimTextFiles.h"

#include <physicalmonitorenumerationapi.h>

#include <sstream>

namespace {

constexpr std::array<std::string_view, simRangedValueCount> rangedValueKeys = {
    "brightness", "contrast", "red-gain", "green-gain", "blue-gain", "red-drive", "green-drive", "blue-drive"};

constexpr std::string_view monitorSection = "monitor";

std::optional<SimRange> parseRange(std::string_view text)
{
    std::array<std::uint32_t, 3> numbers{};
    for (std::uint32_t& number : numbers) {
        const size_t start = text.find_first_not_of(" \t");
        const size_t end = text.find_first_of(" \t", start);
        if (start == std::string_view::npos)
            return std::nullopt;
        const std::optional<std::uint32_t> parsed = parseSimNumber(text.substr(start, end - start));
        if (!parsed)
            return std::nullopt;
        number = *parsed;
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end);
    }
    if (text.find_first_not_of(" \t") != std::string_view::npos)
        return std::nullopt;
    return SimRange{numbers[0], numbers[1], numbers[2]};
}

SimField<SimMonitorConfig> rangeField(SimRangedValue value)
{
    return {simRangedValueKey(value),
            [value](SimMonitorConfig& monitor, std::string_view text) {
                const std::optional<SimRange> range = parseRange(text);
                if (range)
                    monitor.range(value) = *range;
                return range.has_value();
            },
            [value](const SimMonitorConfig& monitor) -> std::optional<std::string> {
                const SimRange& range = monitor.range(value);
                return std::to_string(range.minimum) + ' ' + std::to_string(range.current) + ' ' +
                       std::to_string(range.maximum);
            }};
}

template <class Record>
SimField<Record> textField(std::string_view key, std::wstring Record::*member)
{
    return {key,
            [member](Record& record, std::string_view text) {
                record.*member = simWiden(text);
                return true;
            },
            [member](const Record& record) -> std::optional<std::string> { return simNarrow(record.*member); }};
}

SimField<SimMonitorConfig> maskField(std::string_view key, std::uint32_t SimMonitorConfig::*member)
{
    SimField<SimMonitorConfig> field = simNumberField<SimMonitorConfig>(key, member);
    field.format = [member](const SimMonitorConfig& monitor) -> std::optional<std::string> {
        return formatSimHex(monitor.*member);
    };
    return field;
}

// Failures are written only when asked for, so a plain monitor reads plainly.
SimField<SimMonitorConfig> failureFlagField(std::string_view key, bool SimMonitorConfig::*member)
{
    return {key,
            [member](SimMonitorConfig& monitor, std::string_view text) {
                const std::optional<bool> flag = parseSimFlag(text);
                if (flag)
                    monitor.*member = *flag;
                return flag.has_value();
            },
            [member](const SimMonitorConfig& monitor) -> std::optional<std::string> {
                if (!(monitor.*member))
                    return std::nullopt;
                return "yes";
            }};
}

SimField<SimMonitorConfig> failWritesAfterField()
{
    return {"fail-writes-after",
            [](SimMonitorConfig& monitor, std::string_view text) {
                monitor.failWritesAfter = parseSimNumber(text);
                return monitor.failWritesAfter.has_value();
            },
            [](const SimMonitorConfig& monitor) -> std::optional<std::string> {
                if (!monitor.failWritesAfter)
                    return std::nullopt;
                return std::to_string(*monitor.failWritesAfter);
            }};
}

const std::vector<SimField<SimMonitorConfig>>& monitorFields()
{
    static const std::vector<SimField<SimMonitorConfig>> fields = [] {
        std::vector<SimField<SimMonitorConfig>> all = {
            textField<SimMonitorConfig>("display", &SimMonitorConfig::display),
            textField<SimMonitorConfig>("description", &SimMonitorConfig::description),
            maskField("capabilities", &SimMonitorConfig::capabilities),
            maskField("color-temperatures", &SimMonitorConfig::supportedColorTemperatures),
            simNumberField<SimMonitorConfig>(simColorTemperatureKey, &SimMonitorConfig::colorTemperature),
        };
        for (size_t index = 0; index < simRangedValueCount; ++index)
            all.push_back(rangeField(static_cast<SimRangedValue>(index)));
        all.push_back(simNumberField<SimMonitorConfig>("read-delay-ms", &SimMonitorConfig::readDelayMs));
        all.push_back(simNumberField<SimMonitorConfig>("write-delay-ms", &SimMonitorConfig::writeDelayMs));
        all.push_back(failureFlagField("no-answer", &SimMonitorConfig::noAnswer));
        all.push_back(failureFlagField("fail-capabilities", &SimMonitorConfig::failCapabilities));
        all.push_back(failureFlagField("fail-writes", &SimMonitorConfig::failWrites));
        all.push_back(failWritesAfterField());
        return all;
    }();
    return fields;
}

SimField<SimConfig> pathField(std::string_view key, std::filesystem::path SimConfig::*member)
{
    return {key,
            [member](SimConfig& config, std::string_view text) {
                config.*member = simWiden(text);
                return true;
            },
            [member](const SimConfig& config) -> std::optional<std::string> {
                if ((config.*member).empty())
                    return std::nullopt;
                return simNarrow((config.*member).native());
            }};
}

const std::vector<SimField<SimConfig>>& globalFields()
{
    static const std::vector<SimField<SimConfig>> fields = {pathField("state", &SimConfig::statePath),
                                                            pathField("log", &SimConfig::logPath)};
    return fields;
}

// What makes a monitor impossible; empty when it is consistent.
std::string inconsistencyOf(const SimMonitorConfig& monitor)
{
    if (monitor.display.empty())
        return "no display";
    if (monitor.description.size() >= PHYSICAL_MONITOR_DESCRIPTION_SIZE)
        return "description longer than " + std::to_string(PHYSICAL_MONITOR_DESCRIPTION_SIZE - 1) + " characters";
    if ((monitor.capabilities & ~simAllowedCapabilities) != 0)
        return "capabilities " + formatSimHex(monitor.capabilities & ~simAllowedCapabilities) + " are not simulated";
    if (monitor.supportedColorTemperatures > 0xFF)
        return "unknown colour temperature bits";
    if (monitor.colorTemperature > MC_COLOR_TEMPERATURE_11500K ||
        (monitor.colorTemperature != MC_COLOR_TEMPERATURE_UNKNOWN &&
         (monitor.supportedColorTemperatures & simColorTemperatureBit(monitor.colorTemperature)) == 0))
        return "current colour temperature is not a supported one";
    for (size_t index = 0; index < simRangedValueCount; ++index) {
        const SimRange& range = monitor.ranges[index];
        if (range.minimum > range.maximum || !range.holds(range.current))
            return std::string(rangedValueKeys[index]) + " is not minimum <= current <= maximum";
    }
    return {};
}

SimParsed<SimMonitorConfig> parseMonitor(const SimIniSection& section)
{
    if (section.name != monitorSection)
        return SimParsed<SimMonitorConfig>::failure(simLineError(section.line, "unknown section '" + section.name + "'"));
    SimParsed<SimMonitorConfig> monitor = parseSimSection(section, monitorFields(), SimMonitorConfig{}, false);
    if (!monitor)
        return monitor;
    const std::string inconsistency = inconsistencyOf(*monitor.value);
    if (!inconsistency.empty())
        return SimParsed<SimMonitorConfig>::failure(simLineError(section.line, inconsistency));
    return monitor;
}

std::filesystem::path settledPath(const std::filesystem::path& configPath, const std::filesystem::path& given,
                                  const wchar_t* defaultSuffix)
{
    if (given.empty()) {
        std::filesystem::path path = configPath;
        path += defaultSuffix;
        return path;
    }
    return given.is_absolute() ? given : configPath.parent_path() / given;
}

} // namespace

std::string_view simRangedValueKey(SimRangedValue value)
{
    return rangedValueKeys[static_cast<size_t>(value)];
}

SimRangedValue simGainValue(MC_GAIN_TYPE channel)
{
    return static_cast<SimRangedValue>(static_cast<int>(SimRangedValue::RedGain) + channel);
}

SimRangedValue simDriveValue(MC_DRIVE_TYPE channel)
{
    return static_cast<SimRangedValue>(static_cast<int>(SimRangedValue::RedDrive) + channel);
}

std::uint32_t simCapabilityOf(SimRangedValue value)
{
    switch (value) {
    case SimRangedValue::Brightness:
        return MC_CAPS_BRIGHTNESS;
    case SimRangedValue::Contrast:
        return MC_CAPS_CONTRAST;
    case SimRangedValue::RedGain:
    case SimRangedValue::GreenGain:
    case SimRangedValue::BlueGain:
        return MC_CAPS_RED_GREEN_BLUE_GAIN;
    case SimRangedValue::RedDrive:
    case SimRangedValue::GreenDrive:
    case SimRangedValue::BlueDrive:
        return MC_CAPS_RED_GREEN_BLUE_DRIVE;
    }
    return MC_CAPS_NONE;
}

std::uint32_t simColorTemperatureBit(std::uint32_t colorTemperature)
{
    if (colorTemperature == MC_COLOR_TEMPERATURE_UNKNOWN || colorTemperature > MC_COLOR_TEMPERATURE_11500K)
        return 0;
    return 1u << (colorTemperature - 1);
}

SimParsed<SimConfig> parseSimConfig(std::string_view text)
{
    SimParsed<std::vector<SimIniSection>> sections = parseSimIni(text);
    if (!sections)
        return SimParsed<SimConfig>::failure(sections.error);
    SimParsed<SimConfig> config = parseSimSection(sections.value->front(), globalFields(), SimConfig{}, false);
    for (auto section = sections.value->begin() + 1; config && section != sections.value->end(); ++section) {
        SimParsed<SimMonitorConfig> monitor = parseMonitor(*section);
        if (!monitor)
            return SimParsed<SimConfig>::failure(monitor.error);
        config.value->monitors.push_back(std::move(*monitor.value));
    }
    return config;
}

std::string formatSimConfig(const SimConfig& config)
{
    std::ostringstream out;
    formatSimFields(out, config, globalFields());
    for (const SimMonitorConfig& monitor : config.monitors) {
        out << '\n';
        formatSimSection(out, monitorSection, monitor, monitorFields());
    }
    return out.str();
}

SimParsed<SimConfig> loadSimConfigFile(const std::filesystem::path& path)
{
    const std::optional<std::string> text = readSimTextFile(path);
    if (!text)
        return SimParsed<SimConfig>::failure("cannot read " + simNarrow(path.native()));
    SimParsed<SimConfig> config = parseSimConfig(*text);
    if (!config) {
        config.error = simNarrow(path.native()) + ": " + config.error;
        return config;
    }
    config.value->statePath = settledPath(path, config.value->statePath, L".state");
    config.value->logPath = settledPath(path, config.value->logPath, L".log");
    return config;
}

bool saveSimConfigFile(const std::filesystem::path& path, const SimConfig& config)
{
    return replaceSimTextFile(path, formatSimConfig(config));
}
