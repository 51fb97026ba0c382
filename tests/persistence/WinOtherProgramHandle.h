#pragma once

#include <filesystem>

#include <windows.h>

// A handle on a file such as another program keeps (a virus scanner, a
// backup or sync tool), with the access and sharing it chose; closed when
// let go or when it goes.
class WinOtherProgramHandle {
public:
    WinOtherProgramHandle(const std::filesystem::path& file, DWORD access, DWORD sharing)
        : handle(CreateFileW(file.c_str(), access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~WinOtherProgramHandle() { letGo(); }
    WinOtherProgramHandle(const WinOtherProgramHandle&) = delete;
    WinOtherProgramHandle& operator=(const WinOtherProgramHandle&) = delete;

    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }
    void letGo()
    {
        if (isOpen())
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle;
};
