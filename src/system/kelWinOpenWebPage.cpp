#include "system/kelWinOpenWebPage.h"

#include "support/kelWinHandle.h"
#include "system/kelWinRegistryKey.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace {

using CreateProcessWithTokenFunction = BOOL(WINAPI*)(HANDLE, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID, LPCWSTR,
                                                     LPSTARTUPINFOW, LPPROCESS_INFORMATION);

std::wstring registryText(HKEY root, const std::wstring& subKey, const std::wstring& valueName)
{
    const kelWinRegistryKey key(root, subKey, KEY_QUERY_VALUE);
    return key.readText(valueName, kelWebPagePlatform::maxRegistryText).value_or(std::wstring());
}

// Starting a process with another user's token may need this privilege in
// our own token; without it the start itself fails and says so.
void enableIncreaseQuotaPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    const kelWinHandle owner(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, L"SeIncreaseQuotaPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(owner.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

// A primary token of the desktop shell's process, which runs unelevated as the user.
HANDLE duplicateShellToken()
{
    HWND shell = GetShellWindow();
    DWORD processId = 0;
    if (!shell || !GetWindowThreadProcessId(shell, &processId) || processId == 0)
        return nullptr;
    const kelWinHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
    if (!process.isValid())
        return nullptr;
    HANDLE token = nullptr;
    if (!OpenProcessToken(process.get(), TOKEN_DUPLICATE, &token))
        return nullptr;
    const kelWinHandle shellToken(token);
    HANDLE primary = nullptr;
    const DWORD access = TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY | TOKEN_DUPLICATE | TOKEN_ADJUST_DEFAULT |
                         TOKEN_ADJUST_SESSIONID;
    if (!DuplicateTokenEx(shellToken.get(), access, nullptr, SecurityImpersonation, TokenPrimary, &primary))
        return nullptr;
    return primary;
}

} // namespace

std::wstring kelWinWebPagePlatform::userChoiceProgId(const std::wstring& scheme) const
{
    return registryText(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\" + scheme +
                            L"\\UserChoice",
                        L"ProgId");
}

std::wstring kelWinWebPagePlatform::openCommand(const std::wstring& className) const
{
    // Windows' merged view of the classes puts the user's own first; Wine's
    // shows the machine's only, so the user's are asked for by name.
    const std::wstring commandKey = className + L"\\shell\\open\\command";
    const std::wstring usersCommand = registryText(HKEY_CURRENT_USER, L"Software\\Classes\\" + commandKey, L"");
    return usersCommand.empty() ? registryText(HKEY_CLASSES_ROOT, commandKey, L"") : usersCommand;
}

bool kelWinWebPagePlatform::startAsShellUser(const std::wstring& commandLine)
{
    const auto createProcessWithToken = reinterpret_cast<CreateProcessWithTokenFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "CreateProcessWithTokenW")));
    if (!createProcessWithToken)
        return false;
    enableIncreaseQuotaPrivilege();
    const kelWinHandle token(duplicateShellToken());
    if (!token.isValid())
        return false;
    // The call may write into the command line it is given.
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!createProcessWithToken(token.get(), 0, nullptr, writable.data(), 0, nullptr, nullptr, &startup, &started))
        return false;
    const kelWinHandle process(started.hProcess);
    const kelWinHandle thread(started.hThread);
    return true;
}

bool kelWinWebPagePlatform::shellOpen(const std::wstring& file, const std::wstring& parameters)
{
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(),
                                           parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void openWebPage(const std::wstring& address)
{
    kelWinWebPagePlatform platform;
    openWebPage(address, platform);
}
