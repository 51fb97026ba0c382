#pragma once

#include <cstdint>
#include <string>

class ProcessApi;

// The program file of a running process and the command line it was started
// with. The program is the file the system loaded, never a word taken from
// the command line: whoever starts a process writes its command line, with a
// relative or shortened name or any text at all, and an application must be
// known by the same path however it was started.
struct ProcessCommandLine {
    std::wstring program;
    std::wstring text;

    // A command line made from the program path alone, quoted.
    static ProcessCommandLine ofProgram(const std::wstring& programPath);
    // The program path and the command line read from the running process;
    // the quoted program path stands in for a command line that cannot be
    // read. Both are empty when the process cannot be opened or its program
    // path cannot be read.
    static ProcessCommandLine ofProcess(ProcessApi& processes, std::uint32_t processId);
};
