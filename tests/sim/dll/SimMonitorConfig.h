#pragma once

#include "SimIniText.h"

#include <windows.h>

#include <highlevelmonitorconfigurationapi.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The environment variable naming the configuration file.
inline constexpr wchar_t simConfigVariable[] = L"VANTREL_SIM_DDC";

// The values that a monitor reports with a minimum and a maximum. Gains and
// drives follow the platform's channel order (red, green, blue).
enum class SimRangedValue { Brightness, Contrast, RedGain, GreenGain, BlueGain, RedDrive, GreenDrive, BlueDrive };
inline constexpr size_t simRangedValueCount = 8;

// The key naming the value in the configuration, the state file and the write log.
std::string_view simRangedValueKey(SimRangedValue value);
inline constexpr std::string_view simColorTemperatureKey = "color-temperature";

SimRangedValue simGainValue(MC_GAIN_TYPE channel);
SimRangedValue simDriveValue(MC_DRIVE_TYPE channel);

struct SimRange {
    std::uint32_t minimum = 0;
    std::uint32_t current = 50;
    std::uint32_t maximum = 100;

    bool holds(std::uint32_t value) const { return minimum <= value && value <= maximum; }
    bool operator==(const SimRange&) const = default;
};

// The capabilities a simulated monitor may claim: the flat-panel ones. Degauss
// and the display-area geometry belong to tubes and are not simulated.
inline constexpr std::uint32_t simAllowedCapabilities =
    MC_CAPS_MONITOR_TECHNOLOGY_TYPE | MC_CAPS_BRIGHTNESS | MC_CAPS_CONTRAST | MC_CAPS_COLOR_TEMPERATURE |
    MC_CAPS_RED_GREEN_BLUE_GAIN | MC_CAPS_RED_GREEN_BLUE_DRIVE | MC_CAPS_RESTORE_FACTORY_DEFAULTS |
    MC_CAPS_RESTORE_FACTORY_COLOR_DEFAULTS | MC_RESTORE_FACTORY_DEFAULTS_ENABLES_MONITOR_SETTINGS;

// The capability bit that a value needs.
std::uint32_t simCapabilityOf(SimRangedValue value);
// The supported-colour-temperature bit of an MC_COLOR_TEMPERATURE value; 0 for none.
std::uint32_t simColorTemperatureBit(std::uint32_t colorTemperature);

// One simulated physical monitor. The defaults are those of a typical desktop
// monitor answering DDC/CI at its usual speed.
struct SimMonitorConfig {
    std::wstring display = L"\\\\.\\DISPLAY1"; // szDevice of the display monitor it sits behind
    std::wstring description = L"Generic Non-PnP Monitor";
    std::uint32_t capabilities = MC_CAPS_BRIGHTNESS | MC_CAPS_CONTRAST | MC_CAPS_COLOR_TEMPERATURE |
                                 MC_CAPS_RED_GREEN_BLUE_GAIN | MC_CAPS_RED_GREEN_BLUE_DRIVE;
    std::uint32_t supportedColorTemperatures = MC_SUPPORTED_COLOR_TEMPERATURE_5000K |
                                               MC_SUPPORTED_COLOR_TEMPERATURE_6500K |
                                               MC_SUPPORTED_COLOR_TEMPERATURE_9300K;
    std::uint32_t colorTemperature = MC_COLOR_TEMPERATURE_6500K;
    std::array<SimRange, simRangedValueCount> ranges{SimRange{0, 70, 100}, SimRange{}, SimRange{}, SimRange{},
                                                     SimRange{},          SimRange{}, SimRange{}, SimRange{}};
    std::uint32_t readDelayMs = 40;
    std::uint32_t writeDelayMs = 50;
    // Failures on demand.
    bool noAnswer = false;         // every command on its handles fails; enumeration still lists it
    bool failCapabilities = false; // only GetMonitorCapabilities fails
    bool failWrites = false;       // every write fails
    std::optional<std::uint32_t> failWritesAfter; // writes fail once this many have succeeded

    SimRange& range(SimRangedValue value) { return ranges[static_cast<size_t>(value)]; }
    const SimRange& range(SimRangedValue value) const { return ranges[static_cast<size_t>(value)]; }
    bool operator==(const SimMonitorConfig&) const = default;
};

struct SimConfig {
    std::filesystem::path statePath; // empty: the configuration's path followed by ".state"
    std::filesystem::path logPath;   // empty: the configuration's path followed by ".log"
    std::vector<SimMonitorConfig> monitors;

    bool operator==(const SimConfig&) const = default;
};

// Monitor values are checked for consistency: every current value inside its
// range, the current colour temperature unknown or supported, only allowed
// capabilities, a description that fits PHYSICAL_MONITOR.
SimParsed<SimConfig> parseSimConfig(std::string_view text);
std::string formatSimConfig(const SimConfig& config);

// Reads and parses a configuration file and settles its state and log paths:
// the defaults when not given, relative ones against the file's folder.
SimParsed<SimConfig> loadSimConfigFile(const std::filesystem::path& path);
bool saveSimConfigFile(const std::filesystem::path& path, const SimConfig& config);
