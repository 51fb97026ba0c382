#pragma once

#include "SimMonitorConfig.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What a simulated monitor holds now. The state file keeps it between runs
// of a program, so a second run meets the values that the first one left.
struct SimMonitorState {
    std::array<std::uint32_t, simRangedValueCount> current{};
    std::uint32_t colorTemperature = MC_COLOR_TEMPERATURE_UNKNOWN;
    // Counts towards fail-writes-after, so that limit holds across runs too.
    std::uint32_t successfulWrites = 0;

    static SimMonitorState configured(const SimMonitorConfig& monitor);

    std::uint32_t& value(SimRangedValue which) { return current[static_cast<size_t>(which)]; }
    std::uint32_t value(SimRangedValue which) const { return current[static_cast<size_t>(which)]; }
    bool operator==(const SimMonitorState&) const = default;
};

// One entry per configured monitor, in the configuration's order.
struct SimState {
    std::vector<SimMonitorState> monitors;

    bool operator==(const SimState&) const = default;
};

SimParsed<SimState> parseSimState(std::string_view text);
std::string formatSimState(const SimState& state);

// Fails when the file is missing: a monitor that was never written has no state file yet.
SimParsed<SimState> readSimStateFile(const std::filesystem::path& path);
bool writeSimStateFile(const std::filesystem::path& path, const SimState& state);

// The configured values, with a saved state laid over them where it fits: a
// saved value outside the configured range (the configuration changed since)
// gives way to the configured one, and saved monitors beyond the configured
// ones are dropped.
SimState simStartingState(const SimConfig& config, const SimState& saved);
