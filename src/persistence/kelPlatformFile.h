#pragma once

#include <chrono>
#include <string>

// The few file operations a safe replacement needs, each done by the
// platform's own calls so that "on disk" means what it says.
namespace kelPlatformFile {

// What looking at a file found. Only a file that is not there is absent:
// one that is there but cannot be read may hold what the user has, and
// must never be taken for a first run.
enum class ReadOutcome {
    read,
    absent,
    // Another program holds the file open without sharing it (a virus
    // scanner, a backup or sync tool), usually for a moment only.
    busy,
    unreadable,
};

// What one attempt at putting a file in place of another found.
enum class ReplaceOutcome {
    replaced,
    // Another program holds the target (or the source) open without
    // sharing it, or a moment's lock of the platform refused the change.
    busy,
    failed,
};

// Waits this long between attempts at a busy file, this many times.
inline constexpr std::chrono::milliseconds busyRetryPause{100};
inline constexpr int busyRetries = 6;
// A replace waits longer than a read: a scanner or a backup tool may hold a
// file for a few seconds, and the save it holds up is the user's work.
inline constexpr int busyReplaceRetries = 30;

// One attempt at the whole content of path; bytes is set only when read.
ReadOutcome tryReadAll(const std::wstring& path, std::string& bytes);
// The whole content of path, waiting out another program's short hold on
// it; never busy: a file still held after the retries is unreadable.
ReadOutcome readAll(const std::wstring& path, std::string& bytes);
// Creates or truncates path, writes bytes, forces them to the disk and closes
// the file; true only when every step succeeded.
bool writeDurably(const std::wstring& path, const std::string& bytes);
// One attempt at putting source in place of target in one step, so that
// target is at every instant either its old or its new content, and at
// making the change durable.
ReplaceOutcome tryReplace(const std::wstring& source, const std::wstring& target);
// The same, waiting out another program's hold on either file for up to
// busyReplaceRetries pauses (none when retries is 0); busy when the hold
// outlasted them.
ReplaceOutcome replaceDurably(const std::wstring& source, const std::wstring& target, int retries = busyReplaceRetries);

} // namespace kelPlatformFile
