#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// One process as the platform's process snapshot lists it.
struct ProcessSnapshotEntry {
    std::wstring exeFile;
    std::uint32_t processId = 0;
    std::uint32_t parentProcessId = 0;
};

// Another process, opened for querying and for reading its memory. What its
// memory holds is the other program's to choose: callers check every length
// and address they take from it.
class OpenedProcess {
public:
    virtual ~OpenedProcess() = default;

    // The full path of its program file; empty when it cannot be read whole.
    virtual std::wstring programPath() = 0;
    // The address of its process environment block; nothing on failure.
    virtual std::optional<std::uint64_t> environmentBlockAddress() = 0;
    // Copies bytes from address into the buffer; the count actually copied,
    // never more than the buffer holds, 0 on failure.
    virtual std::size_t read(std::uint64_t address, std::span<std::uint8_t> buffer) = 0;
};

// The process calls the running-application inspection makes.
class ProcessApi {
public:
    virtual ~ProcessApi() = default;

    // Every process, in the snapshot's order; false when no snapshot could be taken.
    virtual bool snapshot(std::vector<ProcessSnapshotEntry>& entries) = 0;
    // Opens a process for querying and reading; empty when it cannot be
    // opened (it has ended, or runs with higher rights).
    virtual std::unique_ptr<OpenedProcess> open(std::uint32_t processId) = 0;
};
