#include "SimIniText.h"

#include <charconv>

namespace {

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

std::string simLineError(int line, std::string_view message)
{
    return "line " + std::to_string(line) + ": " + std::string(message);
}

SimParsed<std::vector<SimIniSection>> parseSimIni(std::string_view text)
{
    std::vector<SimIniSection> sections(1);
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']')
                return SimParsed<std::vector<SimIniSection>>::failure(simLineError(lineNumber, "unclosed '['"));
            sections.push_back({std::string(trimmed(line.substr(1, line.size() - 2))), lineNumber, {}});
            continue;
        }
        const size_t equals = line.find('=');
        const std::string_view key = trimmed(line.substr(0, equals));
        if (equals == std::string_view::npos || key.empty())
            return SimParsed<std::vector<SimIniSection>>::failure(
                simLineError(lineNumber, "expected 'key = value'"));
        sections.back().entries.push_back(
            {std::string(key), std::string(trimmed(line.substr(equals + 1))), lineNumber});
    }
    return {std::move(sections), {}};
}

std::optional<std::uint32_t> parseSimNumber(std::string_view text)
{
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

std::string formatSimHex(std::uint32_t value)
{
    char digits[8];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), value, 16);
    return "0x" + std::string(digits, end);
}

std::optional<bool> parseSimFlag(std::string_view text)
{
    if (text == "yes" || text == "true")
        return true;
    if (text == "no" || text == "false")
        return false;
    return std::nullopt;
}
