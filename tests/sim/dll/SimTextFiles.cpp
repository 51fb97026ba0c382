#include "SimTextFiles.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace {

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// Every opener of these files lets the others read, write, and replace or
// delete the file under it: the monitor rewrites its state while a test
// polls it, and a reader that kept the others from replacing the file would
// make the monitor lose a write.
constexpr DWORD shareWithEveryone = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Something that opens without sharing (a virus scanner, a reader of an
// older build, a text editor) holds a file for moments only, so an open or
// replace it refuses is tried again, for up to about two seconds.
constexpr int triesWhileHeld = 100;
constexpr DWORD pauseWhileHeldMs = 20;

bool isHeldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Runs attempt until it succeeds, fails for another reason than a hold, or
// the tries run out.
template <class Attempt>
bool retryWhileHeld(const Attempt& attempt)
{
    for (int tries = 1;; ++tries) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        if (!isHeldByAnother(error) || tries == triesWhileHeld)
            return false;
        Sleep(pauseWhileHeldMs);
    }
}

class SharedFile {
public:
    SharedFile(const std::filesystem::path& path, DWORD access, DWORD disposition)
    {
        retryWhileHeld([&] {
            handle = CreateFileW(path.c_str(), access, shareWithEveryone, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
            return handle != INVALID_HANDLE_VALUE;
        });
    }
    ~SharedFile()
    {
        if (isOpen())
            CloseHandle(handle);
    }
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;

    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }

    bool writeAll(std::string_view bytes) const
    {
        while (!bytes.empty()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
            if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return true;
    }

    std::optional<std::string> readAll() const
    {
        std::string text;
        char buffer[4096];
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(handle, buffer, sizeof(buffer), &read, nullptr))
                return std::nullopt;
            if (read == 0)
                return text;
            text.append(buffer, read);
        }
    }

    // Flushes and closes; false if either fails.
    bool close()
    {
        const bool flushed = FlushFileBuffers(handle) != FALSE;
        const bool closed = CloseHandle(std::exchange(handle, INVALID_HANDLE_VALUE)) != FALSE;
        return flushed && closed;
    }

private:
    HANDLE handle = INVALID_HANDLE_VALUE;
};

} // namespace

std::wstring simWiden(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string simNarrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

std::optional<std::string> readSimTextFile(const std::filesystem::path& path)
{
    const SharedFile file(path, GENERIC_READ, OPEN_EXISTING);
    if (!file.isOpen())
        return std::nullopt;
    std::optional<std::string> text = file.readAll();
    if (text && text->starts_with(utf8ByteOrderMark))
        text->erase(0, utf8ByteOrderMark.size());
    return text;
}

bool replaceSimTextFile(const std::filesystem::path& path, std::string_view text)
{
    std::filesystem::path temporary = path;
    temporary += L".tmp";
    {
        SharedFile out(temporary, GENERIC_WRITE, CREATE_ALWAYS);
        if (!out.isOpen() || !out.writeAll(text) || !out.close())
            return false;
    }
    return retryWhileHeld([&] {
        return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
}

bool appendSimTextLine(const std::filesystem::path& path, std::string_view line)
{
    SharedFile out(path, FILE_APPEND_DATA, OPEN_ALWAYS);
    return out.isOpen() && out.writeAll(std::string(line) + '\n') && out.close();
}
