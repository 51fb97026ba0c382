#include "system/kelWinRunningExecutable.h"

#include <windows.h>

#include <vector>

std::wstring kelRunningExecutablePath()
{
    // Long paths exceed MAX_PATH; the platform's own limit is 32767 characters.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::vector<wchar_t> buffer(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0)
            return {};
        if (length < size)
            return std::wstring(buffer.data(), length);
    }
    return {};
}
