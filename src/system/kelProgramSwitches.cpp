#include "system/kelProgramSwitches.h"

#include "system/kelTextScan.h"

#include <algorithm>
#include <cstddef>

namespace {

bool isLineBreakOrBlank(wchar_t c)
{
    return kelIsBlank(c) || c == L'\r' || c == L'\n';
}

void skipLineBreaksAndBlanks(const std::wstring& text, std::size_t& position)
{
    while (position < text.size() && isLineBreakOrBlank(text[position]))
        ++position;
}

bool skipProgramPath(const std::wstring& text, std::size_t& position)
{
    if (!text.empty() && text[0] == L'"') {
        const std::size_t closing = text.find(L'"', 1);
        if (closing == std::wstring::npos)
            return false;
        position = closing + 1;
        return true;
    }
    position = 0;
    while (position < text.size() && !kelIsBlank(text[position]))
        ++position;
    return true;
}

// A quoted value runs to the next quote of the same kind (or the end), and
// repeated closing quotes go with it; an unquoted one ends at a blank or a
// line break, and so do the blanks and line breaks after it.
std::wstring readValue(const std::wstring& text, std::size_t& position)
{
    const wchar_t first = text[position];
    if (first == L'"' || first == L'\'') {
        const std::size_t start = position + 1;
        const std::size_t closing = std::min(text.find(first, start), text.size());
        position = closing;
        while (position < text.size() && text[position] == first)
            ++position;
        return text.substr(start, closing - start);
    }
    const std::size_t start = position;
    while (position < text.size() && !isLineBreakOrBlank(text[position]))
        ++position;
    const std::wstring value = text.substr(start, position - start);
    skipLineBreaksAndBlanks(text, position);
    return value;
}

kelProgramSwitch readSwitch(const std::wstring& text, std::size_t& position)
{
    kelProgramSwitch result;
    if (text[position] != L'-' && text[position] != L'/') {
        result.value = readValue(text, position);
        return result;
    }
    const std::size_t nameStart = ++position;
    while (position < text.size() && !isLineBreakOrBlank(text[position]) && text[position] != L'=')
        ++position;
    result.name = text.substr(nameStart, position - nameStart);
    kelSkipBlanks(text, position);
    if (position == text.size() || text[position] != L'=')
        return result;
    ++position;
    kelSkipBlanks(text, position);
    if (position < text.size())
        result.value = readValue(text, position);
    return result;
}

} // namespace

bool parseSwitches(const std::wstring& commandLine, kelProgramSwitches& switches)
{
    switches.clear();
    std::size_t position = 0;
    if (!skipProgramPath(commandLine, position))
        return false;
    while (true) {
        skipLineBreaksAndBlanks(commandLine, position);
        if (position == commandLine.size())
            return true;
        kelProgramSwitch next = readSwitch(commandLine, position);
        if (!next.name.empty() || !next.value.empty())
            switches.push_back(std::move(next));
    }
}

bool isAutorunStart(const kelProgramSwitches& switches)
{
    return std::any_of(switches.begin(), switches.end(),
                       [](const kelProgramSwitch& entry) { return entry.name == autorunSwitchName; });
}

kelCommandLine autorunCommandLine(const std::wstring& programPath)
{
    return kelCommandLine(programPath, std::wstring(L"-") + autorunSwitchName);
}
