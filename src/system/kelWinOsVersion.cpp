#include "system/kelWinOsVersion.h"

#include "support/kelWinHandle.h"

#include <windows.h>

namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

// RtlGetVersion is not in every import library, and GetVersionExW is the
// fallback where ntdll lacks it.
OSVERSIONINFOW readVersion()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll"), "RtlGetVersion")));
    if (rtlGetVersion && rtlGetVersion(&info) == 0)
        return info;
    info = OSVERSIONINFOW{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info))
        info = OSVERSIONINFOW{};
#pragma GCC diagnostic pop
    return info;
}

} // namespace

kelWinOsVersion::kelWinOsVersion()
{
    const OSVERSIONINFOW info = readVersion();
    major = info.dwMajorVersion;
    minor = info.dwMinorVersion;
    build = info.dwBuildNumber;
}

bool kelWinOsVersion::isElevated() const
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    const kelWinHandle owner(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!GetTokenInformation(owner.get(), TokenElevation, &elevation, sizeof(elevation), &size))
        return false;
    return elevation.TokenIsElevated != 0;
}
