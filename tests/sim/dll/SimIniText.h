#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// A parse result: the value, or a message saying what is wrong and where.
template <class T>
struct SimParsed {
    std::optional<T> value;
    std::string error;

    static SimParsed failure(std::string message) { return {std::nullopt, std::move(message)}; }
    explicit operator bool() const { return value.has_value(); }
};

std::string simLineError(int line, std::string_view message);

// The line-oriented "key = value" text with "[section]" headers that the
// configuration and the state file share. Lines starting with '#' or ';'
// are comments; a value runs to the end of its line, so it may hold '#'.
struct SimIniEntry {
    std::string key;
    std::string value;
    int line = 0;
};

struct SimIniSection {
    std::string name; // empty for the entries before the first header
    int line = 0;
    std::vector<SimIniEntry> entries;
};

// Always starts with the unnamed section, even when it is empty.
SimParsed<std::vector<SimIniSection>> parseSimIni(std::string_view text);

// Decimal or 0x-prefixed hexadecimal, the whole of a 32-bit unsigned range.
std::optional<std::uint32_t> parseSimNumber(std::string_view text);
std::string formatSimHex(std::uint32_t value);
std::optional<bool> parseSimFlag(std::string_view text);

// One key of a section, read into and written from a record. The parse and
// the format of a record come from one table, so the two cannot drift apart.
template <class Record>
struct SimField {
    std::string_view key;
    std::function<bool(Record&, std::string_view)> parse;             // false: the value is malformed
    std::function<std::optional<std::string>(const Record&)> format; // nothing: the key is left out
};

template <class Record>
SimParsed<Record> parseSimSection(const SimIniSection& section, const std::vector<SimField<Record>>& fields,
                                  Record record, bool everyKeyRequired)
{
    std::vector<bool> seen(fields.size(), false);
    for (const SimIniEntry& entry : section.entries) {
        size_t index = 0;
        while (index < fields.size() && fields[index].key != entry.key)
            ++index;
        if (index == fields.size())
            return SimParsed<Record>::failure(simLineError(entry.line, "unknown key '" + entry.key + "'"));
        if (!fields[index].parse(record, entry.value))
            return SimParsed<Record>::failure(
                simLineError(entry.line, "malformed value '" + entry.value + "' for '" + entry.key + "'"));
        seen[index] = true;
    }
    for (size_t index = 0; everyKeyRequired && index < fields.size(); ++index) {
        if (!seen[index])
            return SimParsed<Record>::failure(
                simLineError(section.line, "missing key '" + std::string(fields[index].key) + "'"));
    }
    return {std::move(record), {}};
}

template <class Record>
void formatSimFields(std::ostream& out, const Record& record, const std::vector<SimField<Record>>& fields)
{
    for (const SimField<Record>& field : fields) {
        if (const std::optional<std::string> value = field.format(record))
            out << field.key << " = " << *value << '\n';
    }
}

template <class Record>
void formatSimSection(std::ostream& out, std::string_view header, const Record& record,
                      const std::vector<SimField<Record>>& fields)
{
    out << '[' << header << "]\n";
    formatSimFields(out, record, fields);
}

// Field makers for the common value shapes; `member` reaches the value inside the record.
template <class Record, class Member>
SimField<Record> simNumberField(std::string_view key, Member member)
{
    return {key,
            [member](Record& record, std::string_view text) {
                const std::optional<std::uint32_t> number = parseSimNumber(text);
                if (number)
                    std::invoke(member, record) = *number;
                return number.has_value();
            },
            [member](const Record& record) -> std::optional<std::string> {
                return std::to_string(std::invoke(member, record));
            }};
}
