#pragma once

#include "automation/ProcessApi.h"

// Processes through the Toolhelp snapshot, OpenProcess, GetModuleFileNameExW,
// NtQueryInformationProcess and ReadProcessMemory. A process is opened for
// querying and reading only (0x410).
class WinProcessApi : public ProcessApi {
public:
    bool snapshot(std::vector<ProcessSnapshotEntry>& entries) override;
    std::unique_ptr<OpenedProcess> open(std::uint32_t processId) override;
};
