#include "automation/ProcessCommandLine.h"

#include "automation/ProcessApi.h"
#include "automation/ProcessCommandLineReader.h"

ProcessCommandLine ProcessCommandLine::ofProgram(const std::wstring& programPath)
{
    if (programPath.empty())
        return {};
    return {programPath, L"\"" + programPath + L"\""};
}

ProcessCommandLine ProcessCommandLine::ofProcess(ProcessApi& processes, std::uint32_t processId)
{
    const auto process = processes.open(processId);
    if (!process)
        return {};
    ProcessCommandLine commandLine = ofProgram(process->programPath());
    if (commandLine.program.empty())
        return {};
    if (auto text = ProcessCommandLineReader::read(*process))
        commandLine.text = std::move(*text);
    return commandLine;
}
