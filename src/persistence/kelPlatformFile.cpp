#include "persistence/kelPlatformFile.h"

#include <thread>

kelPlatformFile::ReadOutcome kelPlatformFile::readAll(const std::wstring& path, std::string& bytes)
{
    ReadOutcome outcome = tryReadAll(path, bytes);
    for (int retry = 0; outcome == ReadOutcome::busy && retry < busyRetries; ++retry) {
        std::this_thread::sleep_for(busyRetryPause);
        outcome = tryReadAll(path, bytes);
    }
    return outcome == ReadOutcome::busy ? ReadOutcome::unreadable : outcome;
}

kelPlatformFile::ReplaceOutcome kelPlatformFile::replaceDurably(const std::wstring& source, const std::wstring& target,
                                                                int retries)
{
    ReplaceOutcome outcome = tryReplace(source, target);
    for (int retry = 0; outcome == ReplaceOutcome::busy && retry < retries; ++retry) {
        std::this_thread::sleep_for(busyRetryPause);
        outcome = tryReplace(source, target);
    }
    return outcome;
}
