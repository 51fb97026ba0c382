#include "automation/WinForegroundKeeperPlatform.h"

#include <windows.h>

std::int64_t WinForegroundKeeperPlatform::now()
{
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

ScreenSize WinForegroundKeeperPlatform::virtualScreenSize()
{
    return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}
