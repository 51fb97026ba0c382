#pragma once

#include "SimIniText.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Why a simulated monitor refused a write.
enum class SimWriteResult {
    Ok,
    NoAnswer,        // the monitor answers nothing
    WriteFailure,    // fail-writes
    WritesExhausted, // fail-writes-after, once its count of writes has succeeded
    OutOfRange,      // outside minimum..maximum
    NotSupported,    // a capability the monitor lacks, or an unsupported colour temperature
};

// One line of the write log: every write command that reached a simulated
// monitor, taken or refused, so a test can count what a program sent.
struct SimWriteRecord {
    size_t monitor = 0;  // index in the configuration
    std::string setting; // a value key, "color-temperature", or a command such as "save-settings"
    std::uint32_t value = 0;
    SimWriteResult result = SimWriteResult::Ok;

    bool operator==(const SimWriteRecord&) const = default;
};

// "<monitor> <setting> <value> ok" or "<monitor> <setting> <value> failed <reason>".
std::string formatSimWriteRecord(const SimWriteRecord& record);
SimParsed<std::vector<SimWriteRecord>> parseSimWriteLog(std::string_view text);

bool appendSimWriteRecord(const std::filesystem::path& path, const SimWriteRecord& record);
// A missing log is an empty one: nothing was written yet.
SimParsed<std::vector<SimWriteRecord>> readSimWriteLog(const std::filesystem::path& path);
