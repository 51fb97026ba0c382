#pragma once

#include <string>

// Host builds only. The tests run as root, which no permission refuses, and
// no Linux file is ever held unshared; so they make the file layer meet the
// failures a user's machine has: the next reads of a path fail with an
// errno value, at opening or at the first read, and the next replaces of a
// path are refused as if another program held it. EBUSY plays the
// platform's sharing violation.
namespace kelPlatformFileHostFaults {

struct ReadFault {
    int openError = 0; // opening fails with this
    int readError = 0; // else the first read fails with this
    int times = -1;    // the attempts that fail; -1 for every one
};

void failReads(const std::wstring& path, ReadFault fault);
// The next times replaces of target (every one for -1) find it held.
void holdReplaceTarget(const std::wstring& target, int times);
// How many replaces of target were attempted since the last clear().
int replaceAttempts(const std::wstring& target);
void clear();

} // namespace kelPlatformFileHostFaults
