#include "persistence/kelPlatformFile.h"

#include <algorithm>
#include <windows.h>

namespace {

// Beyond this a single WriteFile call is split.
constexpr DWORD maxChunk = 1u << 20;

class WinFile {
public:
    explicit WinFile(HANDLE handle) : handle(handle) {}
    ~WinFile()
    {
        if (isOpen())
            CloseHandle(handle);
    }
    WinFile(const WinFile&) = delete;
    WinFile& operator=(const WinFile&) = delete;

    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle; }
    // A file must be closed before it can be moved over another.
    bool close()
    {
        const HANDLE closing = handle;
        handle = INVALID_HANDLE_VALUE;
        return CloseHandle(closing) != FALSE;
    }

private:
    HANDLE handle;
};

bool writeAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, maxChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// A file that was opened exists, whatever a later read says; a range that
// another program has locked is let go like a file it holds unshared.
kelPlatformFile::ReadOutcome readFailureOutcome(DWORD error)
{
    return error == ERROR_LOCK_VIOLATION ? kelPlatformFile::ReadOutcome::busy
                                         : kelPlatformFile::ReadOutcome::unreadable;
}

kelPlatformFile::ReadOutcome openFailureOutcome(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return kelPlatformFile::ReadOutcome::absent;
    case ERROR_SHARING_VIOLATION:
        return kelPlatformFile::ReadOutcome::busy;
    default:
        return readFailureOutcome(error);
    }
}

} // namespace

kelPlatformFile::ReadOutcome kelPlatformFile::tryReadAll(const std::wstring& path, std::string& bytes)
{
    // Shared for reading, writing and deletion, as Windows programs expect:
    // another program's ordinary handle on the file must not block the load.
    WinFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return openFailureOutcome(GetLastError());
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr))
            return readFailureOutcome(GetLastError());
        if (got == 0)
            break;
        content.append(buffer, got);
    }
    bytes = std::move(content);
    return ReadOutcome::read;
}

bool kelPlatformFile::writeDurably(const std::wstring& path, const std::string& bytes)
{
    WinFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return false;
    const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    return file.close() && written;
}

kelPlatformFile::ReplaceOutcome kelPlatformFile::tryReplace(const std::wstring& source, const std::wstring& target)
{
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ReplaceOutcome::replaced;
    // A target that another program holds open without sharing its deletion
    // is refused as access denied or as a sharing violation, depending on
    // the version; a read-only file, refused the same way, simply fails
    // once the retries are over.
    switch (GetLastError()) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_ACCESS_DENIED:
    case ERROR_LOCK_VIOLATION:
        return ReplaceOutcome::busy;
    default:
        return ReplaceOutcome::failed;
    }
}
