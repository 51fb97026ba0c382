#pragma once

#include <string>

// Host builds only. The tests run as root, which no permission refuses, and
// no Linux file is ever held unshared; so they make the file layer meet the
// failures a user's machine has: the next reads of a path fail with an
// errno value, at opening or at the first read. EBUSY plays the platform's
// sharing violation.
namespace kelPlatformFileHostFaults {

struct ReadFault {
    int openError = 0; // opening fails with this
    int readError = 0; // else the first read fails with this
    int times = -1;    // the attempts that fail; -1 for every one
};

void failReads(const std::wstring& path, ReadFault fault);
void clear();

} // namespace kelPlatformFileHostFaults
