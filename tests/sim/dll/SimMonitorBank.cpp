#include "SimMonitorBank.h"

#include "SimErrors.h"
#include "SimTextFiles.h"

#include <cstdio>
#include <cwchar>

namespace {

BOOL failWith(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

// The simulator's own trouble (a bad configuration, a file it cannot write)
// goes to the standard error stream: there is no one else to tell.
void complain(const std::string& message)
{
    std::fprintf(stderr, "simulated dxva2: %s\n", message.c_str());
}

std::wstring configVariableValue()
{
    std::wstring value(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(simConfigVariable, value.data(), static_cast<DWORD>(value.size()));
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);
    }
}

DWORD errorOf(SimWriteResult result)
{
    switch (result) {
    case SimWriteResult::Ok:
        return ERROR_SUCCESS;
    case SimWriteResult::NoAnswer:
    case SimWriteResult::WriteFailure:
    case SimWriteResult::WritesExhausted:
        return simErrorI2cTransmittingData;
    case SimWriteResult::OutOfRange:
        return ERROR_INVALID_PARAMETER;
    case SimWriteResult::NotSupported:
        return simErrorVcpNotSupported;
    }
    return ERROR_GEN_FAILURE;
}

SimWriteResult restoreValues(const SimMonitorConfig& monitor, SimMonitorState& state, std::uint32_t capability,
                             bool colorOnly)
{
    if ((monitor.capabilities & capability) == 0)
        return SimWriteResult::NotSupported;
    const SimMonitorState factory = SimMonitorState::configured(monitor);
    const size_t firstRestored = static_cast<size_t>(colorOnly ? SimRangedValue::RedGain : SimRangedValue::Brightness);
    for (size_t index = firstRestored; index < simRangedValueCount; ++index)
        state.current[index] = factory.current[index];
    state.colorTemperature = factory.colorTemperature;
    return SimWriteResult::Ok;
}

} // namespace

SimMonitorBank& SimMonitorBank::instance()
{
    static SimMonitorBank bank;
    return bank;
}

void SimMonitorBank::follow()
{
    std::wstring variable = configVariableValue();
    if (followedVariable == variable)
        return;
    followedVariable = std::move(variable);
    handles.clear();
    configError.clear();
    config = {};
    state = {};
    if (followedVariable->empty())
        return;

    SimParsed<SimConfig> loaded = loadSimConfigFile(*followedVariable);
    if (!loaded) {
        configError = loaded.error;
        complain(configError);
        return;
    }
    config = std::move(*loaded.value);
    SimState saved;
    std::error_code unreadable;
    if (std::filesystem::exists(config.statePath, unreadable)) {
        SimParsed<SimState> read = readSimStateFile(config.statePath);
        if (!read) {
            configError = read.error;
            complain(configError);
            return;
        }
        saved = std::move(*read.value);
    }
    state = simStartingState(config, saved);
}

std::optional<size_t> SimMonitorBank::monitorOf(HANDLE handle) const
{
    const auto found = handles.find(handle);
    if (found == handles.end())
        return std::nullopt;
    return found->second;
}

std::optional<std::vector<size_t>> SimMonitorBank::monitorsOf(HMONITOR display) const
{
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(display, &info))
        return std::nullopt;
    std::vector<size_t> found;
    for (size_t index = 0; index < config.monitors.size(); ++index) {
        if (config.monitors[index].display == info.szDevice)
            found.push_back(index);
    }
    return found;
}

BOOL SimMonitorBank::countPhysicalMonitors(HMONITOR display, DWORD* count)
{
    if (!count)
        return failWith(ERROR_INVALID_PARAMETER);
    std::lock_guard<std::mutex> held(mutex);
    follow();
    if (!configError.empty())
        return failWith(simErrorBadConfiguration);
    const std::optional<std::vector<size_t>> found = monitorsOf(display);
    if (!found)
        return failWith(ERROR_INVALID_HANDLE);
    *count = static_cast<DWORD>(found->size());
    return TRUE;
}

BOOL SimMonitorBank::physicalMonitors(HMONITOR display, DWORD size, PHYSICAL_MONITOR* monitors)
{
    if (!monitors)
        return failWith(ERROR_INVALID_PARAMETER);
    std::lock_guard<std::mutex> held(mutex);
    follow();
    if (!configError.empty())
        return failWith(simErrorBadConfiguration);
    const std::optional<std::vector<size_t>> found = monitorsOf(display);
    if (!found)
        return failWith(ERROR_INVALID_HANDLE);
    // A size other than the count means the caller's picture of the display is stale.
    if (found->empty() || size != found->size())
        return failWith(ERROR_INVALID_PARAMETER);
    for (size_t slot = 0; slot < found->size(); ++slot) {
        const size_t index = (*found)[slot];
        lastHandle += 4;
        const HANDLE handle = reinterpret_cast<HANDLE>(lastHandle);
        handles.emplace(handle, index);
        monitors[slot].hPhysicalMonitor = handle;
        const std::wstring& description = config.monitors[index].description;
        std::wmemset(monitors[slot].szPhysicalMonitorDescription, L'\0', PHYSICAL_MONITOR_DESCRIPTION_SIZE);
        description.copy(monitors[slot].szPhysicalMonitorDescription, PHYSICAL_MONITOR_DESCRIPTION_SIZE - 1);
    }
    return TRUE;
}

BOOL SimMonitorBank::destroy(HANDLE handle)
{
    std::lock_guard<std::mutex> held(mutex);
    follow();
    if (handles.erase(handle) == 0)
        return failWith(ERROR_INVALID_HANDLE);
    return TRUE;
}

BOOL SimMonitorBank::read(HANDLE handle, const Read& answer)
{
    std::lock_guard<std::mutex> held(mutex);
    follow();
    const std::optional<size_t> index = monitorOf(handle);
    if (!index)
        return failWith(ERROR_INVALID_HANDLE);
    const SimMonitorConfig& monitor = config.monitors[*index];
    Sleep(monitor.readDelayMs);
    if (monitor.noAnswer)
        return failWith(simErrorI2cTransmittingData);
    const DWORD error = answer(monitor, state.monitors[*index]);
    return error == ERROR_SUCCESS ? TRUE : failWith(error);
}

BOOL SimMonitorBank::write(HANDLE handle, std::string_view setting, DWORD value, const Write& apply)
{
    std::lock_guard<std::mutex> held(mutex);
    follow();
    const std::optional<size_t> index = monitorOf(handle);
    if (!index)
        return failWith(ERROR_INVALID_HANDLE);
    const SimMonitorConfig& monitor = config.monitors[*index];
    SimMonitorState& current = state.monitors[*index];
    Sleep(monitor.writeDelayMs);

    SimMonitorState changed = current;
    SimWriteResult result = SimWriteResult::Ok;
    if (monitor.noAnswer)
        result = SimWriteResult::NoAnswer;
    else if (monitor.failWrites)
        result = SimWriteResult::WriteFailure;
    else if (monitor.failWritesAfter && current.successfulWrites >= *monitor.failWritesAfter)
        result = SimWriteResult::WritesExhausted;
    else
        result = apply(monitor, changed);

    if (result == SimWriteResult::Ok) {
        ++changed.successfulWrites;
        current = changed;
        if (!writeSimStateFile(config.statePath, state))
            complain("cannot write " + simNarrow(config.statePath.native()));
    }
    if (!appendSimWriteRecord(config.logPath, {*index, std::string(setting), value, result}))
        complain("cannot append to " + simNarrow(config.logPath.native()));
    return result == SimWriteResult::Ok ? TRUE : failWith(errorOf(result));
}

BOOL SimMonitorBank::capabilities(HANDLE handle, DWORD* capabilities, DWORD* colorTemperatures)
{
    if (!capabilities || !colorTemperatures)
        return failWith(ERROR_INVALID_PARAMETER);
    return read(handle, [&](const SimMonitorConfig& monitor, const SimMonitorState&) -> DWORD {
        if (monitor.failCapabilities)
            return simErrorInvalidCapabilitiesString;
        *capabilities = monitor.capabilities;
        *colorTemperatures = monitor.supportedColorTemperatures;
        return ERROR_SUCCESS;
    });
}

BOOL SimMonitorBank::readRange(HANDLE handle, SimRangedValue value, DWORD* minimum, DWORD* current, DWORD* maximum)
{
    if (!minimum || !current || !maximum)
        return failWith(ERROR_INVALID_PARAMETER);
    return read(handle, [&](const SimMonitorConfig& monitor, const SimMonitorState& state) -> DWORD {
        if ((monitor.capabilities & simCapabilityOf(value)) == 0)
            return simErrorVcpNotSupported;
        *minimum = monitor.range(value).minimum;
        *current = state.value(value);
        *maximum = monitor.range(value).maximum;
        return ERROR_SUCCESS;
    });
}

BOOL SimMonitorBank::writeRange(HANDLE handle, SimRangedValue value, DWORD newValue)
{
    return write(handle, simRangedValueKey(value), newValue,
                 [&](const SimMonitorConfig& monitor, SimMonitorState& state) {
                     if ((monitor.capabilities & simCapabilityOf(value)) == 0)
                         return SimWriteResult::NotSupported;
                     if (!monitor.range(value).holds(newValue))
                         return SimWriteResult::OutOfRange;
                     state.value(value) = newValue;
                     return SimWriteResult::Ok;
                 });
}

BOOL SimMonitorBank::readColorTemperature(HANDLE handle, MC_COLOR_TEMPERATURE* colorTemperature)
{
    if (!colorTemperature)
        return failWith(ERROR_INVALID_PARAMETER);
    return read(handle, [&](const SimMonitorConfig& monitor, const SimMonitorState& state) -> DWORD {
        if ((monitor.capabilities & MC_CAPS_COLOR_TEMPERATURE) == 0)
            return simErrorVcpNotSupported;
        *colorTemperature = static_cast<MC_COLOR_TEMPERATURE>(state.colorTemperature);
        return ERROR_SUCCESS;
    });
}

BOOL SimMonitorBank::writeColorTemperature(HANDLE handle, MC_COLOR_TEMPERATURE colorTemperature)
{
    const auto value = static_cast<std::uint32_t>(colorTemperature);
    return write(handle, simColorTemperatureKey, value, [&](const SimMonitorConfig& monitor, SimMonitorState& state) {
        if ((monitor.capabilities & MC_CAPS_COLOR_TEMPERATURE) == 0)
            return SimWriteResult::NotSupported;
        if ((monitor.supportedColorTemperatures & simColorTemperatureBit(value)) == 0)
            return SimWriteResult::OutOfRange;
        state.colorTemperature = value;
        return SimWriteResult::Ok;
    });
}

BOOL SimMonitorBank::technologyType(HANDLE handle, MC_DISPLAY_TECHNOLOGY_TYPE* type)
{
    if (!type)
        return failWith(ERROR_INVALID_PARAMETER);
    return read(handle, [&](const SimMonitorConfig& monitor, const SimMonitorState&) -> DWORD {
        if ((monitor.capabilities & MC_CAPS_MONITOR_TECHNOLOGY_TYPE) == 0)
            return simErrorVcpNotSupported;
        *type = MC_THIN_FILM_TRANSISTOR;
        return ERROR_SUCCESS;
    });
}

BOOL SimMonitorBank::saveSettings(HANDLE handle)
{
    return write(handle, "save-settings", 0,
                 [](const SimMonitorConfig&, SimMonitorState&) { return SimWriteResult::Ok; });
}

BOOL SimMonitorBank::restoreFactoryDefaults(HANDLE handle)
{
    return write(handle, "restore-factory-defaults", 0, [](const SimMonitorConfig& monitor, SimMonitorState& state) {
        return restoreValues(monitor, state, MC_CAPS_RESTORE_FACTORY_DEFAULTS, false);
    });
}

BOOL SimMonitorBank::restoreFactoryColorDefaults(HANDLE handle)
{
    return write(handle, "restore-factory-color-defaults", 0,
                 [](const SimMonitorConfig& monitor, SimMonitorState& state) {
                     return restoreValues(monitor, state, MC_CAPS_RESTORE_FACTORY_COLOR_DEFAULTS, true);
                 });
}

BOOL SimMonitorBank::refuseTubeCommand(HANDLE handle)
{
    return read(handle, [](const SimMonitorConfig&, const SimMonitorState&) -> DWORD {
        return simErrorVcpNotSupported;
    });
}
