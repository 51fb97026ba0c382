#pragma once

#include "system/kelCommandLine.h"

#include <string>
#include <vector>

// One switch of the program's own command line: "-name", "/name=value", or
// a value on its own (empty name).
struct kelProgramSwitch {
    std::wstring name;
    std::wstring value;

    bool operator==(const kelProgramSwitch&) const = default;
};

using kelProgramSwitches = std::vector<kelProgramSwitch>;

// The switch that marks a start with Windows: the program then starts in the
// tray and gives way quietly to an instance that runs already.
inline constexpr wchar_t autorunSwitchName[] = L"autorun";

// Reads the switches after the program path of commandLine into switches, in
// command-line order. False (with no switches) only when the program path
// opens a double quote that is never closed.
bool parseSwitches(const std::wstring& commandLine, kelProgramSwitches& switches);

// Whether switches hold one named exactly "autorun".
bool isAutorunStart(const kelProgramSwitches& switches);

// The command that starts the program at programPath with Windows.
kelCommandLine autorunCommandLine(const std::wstring& programPath);
