#include "persistence/kelPlatformFile.h"

#include "persistence/kelPlatformFileHostFaults.h"
#include "persistence/kelUtf8.h"

#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <fcntl.h>
#include <unistd.h>

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor(descriptor) {}
    ~FileDescriptor()
    {
        if (isOpen())
            ::close(descriptor);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool isOpen() const { return descriptor >= 0; }
    int get() const { return descriptor; }
    // Closing is the last chance for the system to report a failed write.
    bool close()
    {
        const int closing = descriptor;
        descriptor = -1;
        return ::close(closing) == 0;
    }

private:
    int descriptor;
};

std::string nativePath(const std::wstring& path)
{
    return kelWideToUtf8(path);
}

std::string parentFolder(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int descriptor, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

class InjectedReadFaults {
public:
    void add(const std::wstring& path, kelPlatformFileHostFaults::ReadFault fault)
    {
        const std::lock_guard guard(mutex);
        faults[path] = fault;
    }

    void clear()
    {
        const std::lock_guard guard(mutex);
        faults.clear();
    }

    // The fault this attempt at path meets, if any; each one counts.
    std::optional<kelPlatformFileHostFaults::ReadFault> take(const std::wstring& path)
    {
        const std::lock_guard guard(mutex);
        const auto found = faults.find(path);
        if (found == faults.end() || found->second.times == 0)
            return std::nullopt;
        if (found->second.times > 0)
            --found->second.times;
        return found->second;
    }

private:
    std::mutex mutex;
    std::map<std::wstring, kelPlatformFileHostFaults::ReadFault> faults;
};

InjectedReadFaults& injectedReadFaults()
{
    static InjectedReadFaults faults;
    return faults;
}

// Replace targets that a test has another program hold, and the attempts
// at each target.
class HeldReplaceTargets {
public:
    void hold(const std::wstring& target, int times)
    {
        const std::lock_guard guard(mutex);
        held[target] = times;
    }

    void clear()
    {
        const std::lock_guard guard(mutex);
        held.clear();
        attempts.clear();
    }

    // Counts the attempt; true when it finds the target held.
    bool attempt(const std::wstring& target)
    {
        const std::lock_guard guard(mutex);
        ++attempts[target];
        const auto found = held.find(target);
        if (found == held.end() || found->second == 0)
            return false;
        if (found->second > 0)
            --found->second;
        return true;
    }

    int attemptsAt(const std::wstring& target)
    {
        const std::lock_guard guard(mutex);
        const auto found = attempts.find(target);
        return found == attempts.end() ? 0 : found->second;
    }

private:
    std::mutex mutex;
    std::map<std::wstring, int> held;
    std::map<std::wstring, int> attempts;
};

HeldReplaceTargets& heldReplaceTargets()
{
    static HeldReplaceTargets targets;
    return targets;
}

// A folder on the way that is a file is the platform's "path not found".
kelPlatformFile::ReadOutcome openFailureOutcome(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return kelPlatformFile::ReadOutcome::absent;
    case EBUSY:
        return kelPlatformFile::ReadOutcome::busy;
    default:
        return kelPlatformFile::ReadOutcome::unreadable;
    }
}

// Opens path for reading, or fails as a test asked it to.
int openForReading(const std::wstring& path, std::optional<kelPlatformFileHostFaults::ReadFault>& fault)
{
    fault = injectedReadFaults().take(path);
    if (fault && fault->openError != 0) {
        errno = fault->openError;
        return -1;
    }
    return ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
}

// Reads the next chunk, or fails once as a test asked it to.
ssize_t readChunk(int descriptor, char* buffer, std::size_t size,
                  std::optional<kelPlatformFileHostFaults::ReadFault>& fault)
{
    if (fault && fault->readError != 0) {
        errno = std::exchange(fault->readError, 0);
        return -1;
    }
    return ::read(descriptor, buffer, size);
}

} // namespace

void kelPlatformFileHostFaults::failReads(const std::wstring& path, ReadFault fault)
{
    injectedReadFaults().add(path, fault);
}

void kelPlatformFileHostFaults::holdReplaceTarget(const std::wstring& target, int times)
{
    heldReplaceTargets().hold(target, times);
}

int kelPlatformFileHostFaults::replaceAttempts(const std::wstring& target)
{
    return heldReplaceTargets().attemptsAt(target);
}

void kelPlatformFileHostFaults::clear()
{
    injectedReadFaults().clear();
    heldReplaceTargets().clear();
}

kelPlatformFile::ReadOutcome kelPlatformFile::tryReadAll(const std::wstring& path, std::string& bytes)
{
    std::optional<kelPlatformFileHostFaults::ReadFault> fault;
    FileDescriptor file(openForReading(path, fault));
    if (!file.isOpen())
        return openFailureOutcome(errno);
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = readChunk(file.get(), buffer, sizeof buffer, fault);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ReadOutcome::unreadable;
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    bytes = std::move(content);
    return ReadOutcome::read;
}

bool kelPlatformFile::writeDurably(const std::wstring& path, const std::string& bytes)
{
    FileDescriptor file(::open(nativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!file.isOpen())
        return false;
    const bool written = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    return file.close() && written;
}

kelPlatformFile::ReplaceOutcome kelPlatformFile::tryReplace(const std::wstring& source, const std::wstring& target)
{
    if (heldReplaceTargets().attempt(target))
        return ReplaceOutcome::busy;
    const std::string targetPath = nativePath(target);
    if (std::rename(nativePath(source).c_str(), targetPath.c_str()) != 0)
        return errno == EBUSY ? ReplaceOutcome::busy : ReplaceOutcome::failed;
    // The rename itself lives in the folder, which must reach the disk too.
    FileDescriptor folder(::open(parentFolder(targetPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder.isOpen() && ::fsync(folder.get()) == 0 ? ReplaceOutcome::replaced : ReplaceOutcome::failed;
}
