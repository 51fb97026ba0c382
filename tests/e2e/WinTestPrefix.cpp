#include "e2e/WinTestPrefix.h"

#include <memory>
#include <string>

#include <shlobj.h>
#include <windows.h>

namespace {

// Wine's own conversions between its Unix paths and the Windows ones; they
// return buffers from the process heap.
using DosFileNameFunction = wchar_t*(CDECL*)(const char*);
using UnixFileNameFunction = char*(CDECL*)(const wchar_t*);

struct ProcessHeapFree {
    void operator()(void* buffer) const { ::HeapFree(GetProcessHeap(), 0, buffer); }
};

template <class Function>
Function wineExport(const wchar_t* module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(module), name)));
}

std::string narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(size) - 1);
    return bytes;
}

// The Unix path of the prefix Wine runs in, as the scripts exported it, without a trailing slash.
std::string winePrefix()
{
    wchar_t value[4096] = {};
    const DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", value, 4096);
    if (length == 0 || length >= 4096)
        return {};
    std::string prefix = narrow(value);
    while (prefix.size() > 1 && prefix.back() == '/')
        prefix.pop_back();
    return prefix;
}

bool unixFileExists(const std::string& path)
{
    const auto toDos = wineExport<DosFileNameFunction>(L"kernel32", "wine_get_dos_file_name");
    if (!toDos)
        return false;
    const std::unique_ptr<wchar_t, ProcessHeapFree> dosPath(toDos(path.c_str()));
    return dosPath && GetFileAttributesW(dosPath.get()) != INVALID_FILE_ATTRIBUTES;
}

// The Unix path of the user's application-data folder, where the program keeps its data.
std::string applicationDataUnixPath()
{
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return WinTestPrefix::unixPathOf(folder);
}

} // namespace

std::string WinTestPrefix::unixPathOf(const std::wstring& windowsPath)
{
    const auto toUnix = wineExport<UnixFileNameFunction>(L"kernel32", "wine_get_unix_file_name");
    if (!toUnix)
        return {};
    const std::unique_ptr<char, ProcessHeapFree> unixPath(toUnix(windowsPath.c_str()));
    return unixPath ? std::string(unixPath.get()) : std::string();
}

std::string WinTestPrefix::whyNotATestPrefix()
{
    const std::string refusal = "the end-to-end tests delete the program's data folder and run only in the Wine "
                                "prefix that scripts/test makes for them: ";
    if (!wineExport<void*>(L"ntdll", "wine_get_version"))
        return refusal + "this is not Wine";
    const std::string prefix = winePrefix();
    if (prefix.empty())
        return refusal + "WINEPREFIX is not set";
    if (!unixFileExists(prefix + "/" + markerName))
        return refusal + prefix + " has no " + markerName;
    const std::string applicationData = applicationDataUnixPath();
    if (applicationData.rfind(prefix + "/", 0) != 0)
        return refusal + "the application-data folder " + applicationData + " is not inside " + prefix;
    return {};
}
