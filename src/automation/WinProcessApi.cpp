#include "automation/WinProcessApi.h"

#include "support/kelWinHandle.h"

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

// Every snapshot kind, as the process list has always taken it.
constexpr DWORD snapshotAllKinds = 0xF;
constexpr DWORD queryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
// The longest path the system can give; a path that fills the buffer was cut.
constexpr DWORD longestPath = 32768;
// NtQueryInformationProcess's basic information: exit status (padded to 8
// bytes), then the address of the process environment block.
constexpr ULONG basicInformationClass = 0;
constexpr std::size_t basicInformationSize = 48;
constexpr std::size_t environmentBlockAddressOffset = 8;

using NtQueryInformationProcessCall = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

NtQueryInformationProcessCall queryInformationProcess()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll)
        return nullptr;
    return reinterpret_cast<NtQueryInformationProcessCall>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
}

class WinOpenedProcess : public OpenedProcess {
public:
    explicit WinOpenedProcess(HANDLE process) : process(process) {}

    std::wstring programPath() override
    {
        std::vector<wchar_t> path(longestPath);
        const DWORD length = GetModuleFileNameExW(process.get(), nullptr, path.data(), longestPath);
        if (length == 0 || length >= longestPath - 1)
            return {};
        return std::wstring(path.data(), length);
    }

    std::optional<std::uint64_t> environmentBlockAddress() override
    {
        const auto query = queryInformationProcess();
        if (!query)
            return std::nullopt;
        std::array<std::uint8_t, basicInformationSize> information{};
        ULONG returned = 0;
        if (query(process.get(), basicInformationClass, information.data(), information.size(), &returned) != 0)
            return std::nullopt;
        std::uint64_t address = 0;
        std::memcpy(&address, information.data() + environmentBlockAddressOffset, sizeof address);
        return address;
    }

    std::size_t read(std::uint64_t address, std::span<std::uint8_t> buffer) override
    {
        SIZE_T copied = 0;
        // A failed read may still report the bytes it copied before the failure.
        ReadProcessMemory(process.get(), reinterpret_cast<LPCVOID>(static_cast<std::uintptr_t>(address)), buffer.data(),
                          buffer.size(), &copied);
        return std::min<std::size_t>(copied, buffer.size());
    }

private:
    kelWinHandle process;
};

} // namespace

bool WinProcessApi::snapshot(std::vector<ProcessSnapshotEntry>& entries)
{
    entries.clear();
    const kelWinHandle snapshot(CreateToolhelp32Snapshot(snapshotAllKinds, 0));
    if (!snapshot.isValid())
        return false;
    PROCESSENTRY32W process{};
    process.dwSize = sizeof process;
    for (BOOL more = Process32FirstW(snapshot.get(), &process); more; more = Process32NextW(snapshot.get(), &process)) {
        process.szExeFile[MAX_PATH - 1] = L'\0';
        entries.push_back({process.szExeFile, process.th32ProcessID, process.th32ParentProcessID});
    }
    return true;
}

std::unique_ptr<OpenedProcess> WinProcessApi::open(std::uint32_t processId)
{
    const HANDLE process = OpenProcess(queryAndRead, FALSE, processId);
    if (!process)
        return nullptr;
    return std::make_unique<WinOpenedProcess>(process);
}
