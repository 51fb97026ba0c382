#include "persistence/kelPlatformFile.h"

#include "persistence/kelUtf8.h"

#include <cerrno>
#include <cstdio>
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

} // namespace

bool kelPlatformFile::readAll(const std::wstring& path, std::string& bytes)
{
    FileDescriptor file(::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.isOpen())
        return false;
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    bytes = std::move(content);
    return true;
}

bool kelPlatformFile::writeDurably(const std::wstring& path, const std::string& bytes)
{
    FileDescriptor file(::open(nativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!file.isOpen())
        return false;
    const bool written = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    return file.close() && written;
}

bool kelPlatformFile::replaceDurably(const std::wstring& source, const std::wstring& target)
{
    const std::string targetPath = nativePath(target);
    if (std::rename(nativePath(source).c_str(), targetPath.c_str()) != 0)
        return false;
    // The rename itself lives in the folder, which must reach the disk too.
    FileDescriptor folder(::open(parentFolder(targetPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder.isOpen() && ::fsync(folder.get()) == 0;
}
