#pragma once

#include <windows.h>

// Owns one kernel handle and closes it when destroyed; shared through
// shared_ptr, so the handle lives as long as its last holder. Both null and
// INVALID_HANDLE_VALUE count as "no handle", since Win32 returns either on failure.
class kelWinHandle {
public:
    explicit kelWinHandle(HANDLE handle = nullptr) noexcept : handle(handle) {}
    ~kelWinHandle();
    kelWinHandle(const kelWinHandle&) = delete;
    kelWinHandle& operator=(const kelWinHandle&) = delete;

    HANDLE get() const { return handle; }
    bool isValid() const { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};
