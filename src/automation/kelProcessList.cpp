#include "automation/kelProcessList.h"

#include "automation/ProcessApi.h"

#include <utility>

kelProcessList::kelProcessList(std::shared_ptr<ProcessApi> processes) : processes(std::move(processes)) {}

void kelProcessList::refresh()
{
    list.clear();
    std::vector<ProcessSnapshotEntry> snapshot;
    if (!processes->snapshot(snapshot) || snapshot.empty())
        return;
    for (auto process = snapshot.begin() + 1; process != snapshot.end(); ++process)
        list.push_back(entryOf(*process));
}

kelProcessList::Entry kelProcessList::entryOf(const ProcessSnapshotEntry& process) const
{
    Entry entry{process.exeFile, {}, process.processId, process.parentProcessId};
    if (const auto opened = processes->open(process.processId))
        entry.commandLine = ProcessCommandLine::ofProgram(opened->programPath());
    return entry;
}
