#include "SimWriteLog.h"

#include "SimTextFiles.h"

#include <array>
#include <sstream>

namespace {

constexpr std::array<std::string_view, 6> resultWords = {"ok",           "failed no-answer",  "failed write-failure",
                                                         "failed writes-exhausted", "failed out-of-range",
                                                         "failed not-supported"};

std::optional<SimWriteRecord> parseRecord(const std::string& line)
{
    std::istringstream in(line);
    std::string monitor, setting, value;
    in >> monitor >> setting >> value >> std::ws;
    std::string result;
    std::getline(in, result);
    const std::optional<std::uint32_t> monitorIndex = parseSimNumber(monitor);
    const std::optional<std::uint32_t> number = parseSimNumber(value);
    if (!monitorIndex || setting.empty() || !number)
        return std::nullopt;
    for (size_t index = 0; index < resultWords.size(); ++index) {
        if (result == resultWords[index])
            return SimWriteRecord{*monitorIndex, setting, *number, static_cast<SimWriteResult>(index)};
    }
    return std::nullopt;
}

} // namespace

std::string formatSimWriteRecord(const SimWriteRecord& record)
{
    return std::to_string(record.monitor) + ' ' + record.setting + ' ' + std::to_string(record.value) + ' ' +
           std::string(resultWords[static_cast<size_t>(record.result)]);
}

SimParsed<std::vector<SimWriteRecord>> parseSimWriteLog(std::string_view text)
{
    std::vector<SimWriteRecord> records;
    std::istringstream in{std::string(text)};
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::optional<SimWriteRecord> record = parseRecord(line);
        if (!record)
            return SimParsed<std::vector<SimWriteRecord>>::failure(simLineError(lineNumber, "malformed write record"));
        records.push_back(*record);
    }
    return {std::move(records), {}};
}

bool appendSimWriteRecord(const std::filesystem::path& path, const SimWriteRecord& record)
{
    return appendSimTextLine(path, formatSimWriteRecord(record));
}

SimParsed<std::vector<SimWriteRecord>> readSimWriteLog(const std::filesystem::path& path)
{
    std::error_code unreadable;
    if (!std::filesystem::exists(path, unreadable) && !unreadable)
        return {std::vector<SimWriteRecord>{}, {}};
    const std::optional<std::string> text = readSimTextFile(path);
    if (!text)
        return SimParsed<std::vector<SimWriteRecord>>::failure("cannot read " + simNarrow(path.native()));
    return parseSimWriteLog(*text);
}
