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

// Waits this long between attempts at a busy file, this many times.
inline constexpr std::chrono::milliseconds busyRetryPause{100};
inline constexpr int busyRetries = 6;

// One attempt at the whole content of path; bytes is set only when read.
ReadOutcome tryReadAll(const std::wstring& path, std::string& bytes);
// The whole content of path, waiting out another program's short hold on
// it; never busy: a file still held after the retries is unreadable.
ReadOutcome readAll(const std::wstring& path, std::string& bytes);
// Creates or truncates path, writes bytes, forces them to the disk and closes
// the file; true only when every step succeeded.
bool writeDurably(const std::wstring& path, const std::string& bytes);
// Puts source in place of target in one step, so that target is at every
// instant either its old or its new content, and makes the change durable.
bool replaceDurably(const std::wstring& source, const std::wstring& target);

} // namespace kelPlatformFile
