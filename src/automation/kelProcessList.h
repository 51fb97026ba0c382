#pragma once

#include "automation/ProcessCommandLine.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ProcessApi;
struct ProcessSnapshotEntry;

// The processes of the system, each with its program path where it can be
// read.
class kelProcessList {
public:
    struct Entry {
        // As the process snapshot reports it.
        std::wstring exeFile;
        // Made from the program path alone; empty when the process cannot be
        // opened or its path cannot be read.
        ProcessCommandLine commandLine;
        std::uint32_t processId = 0;
        std::uint32_t parentProcessId = 0;
    };

    explicit kelProcessList(std::shared_ptr<ProcessApi> processes);

    // Lists the processes again, leaving out the snapshot's first entry (the
    // system's idle process, which is no program); empty when no snapshot
    // can be taken.
    void refresh();
    const std::vector<Entry>& entries() const { return list; }

private:
    Entry entryOf(const ProcessSnapshotEntry& process) const;

    std::shared_ptr<ProcessApi> processes;
    std::vector<Entry> list;
};
