#pragma once

#include "persistence/kelPlatformFileHostFaults.h"

#include <cerrno>
#include <filesystem>
#include <ostream>

// Read failures and held replace targets a test makes the host file layer
// report, all withdrawn when the test ends.
class HostReadFaults {
public:
    HostReadFaults() = default;
    ~HostReadFaults() { kelPlatformFileHostFaults::clear(); }
    HostReadFaults(const HostReadFaults&) = delete;
    HostReadFaults& operator=(const HostReadFaults&) = delete;

    void fail(const std::filesystem::path& file, kelPlatformFileHostFaults::ReadFault fault)
    {
        kelPlatformFileHostFaults::failReads(file.wstring(), fault);
    }

    // As if another program held the file the next times (-1: always) a
    // save tries to put its companion in its place.
    void holdAgainstReplace(const std::filesystem::path& file, int times)
    {
        kelPlatformFileHostFaults::holdReplaceTarget(file.wstring(), times);
    }

    int replaceAttempts(const std::filesystem::path& file) const
    {
        return kelPlatformFileHostFaults::replaceAttempts(file.wstring());
    }
};

// The failures a user's machine has, as the host file layer is told them.
struct NamedReadFault {
    const char* label;
    kelPlatformFileHostFaults::ReadFault fault;

    friend void PrintTo(const NamedReadFault& named, std::ostream* out) { *out << named.label; }
};

inline const NamedReadFault heldByAnotherProgram{"HeldByAnotherProgram", {EBUSY, 0, -1}};
inline const NamedReadFault accessDenied{"AccessDenied", {EACCES, 0, -1}};
inline const NamedReadFault ioErrorWhileReading{"IoErrorWhileReading", {0, EIO, -1}};
