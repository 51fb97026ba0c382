#include "e2e/WinProgramUnderTest.h"

#include <vector>

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findProgramWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (owner == search->processId && std::wstring(title) == L"Vantrel") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::wstring WinProgramUnderTest::testFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

WinProgramUnderTest::WinProgramUnderTest(const std::wstring& arguments, const std::wstring& exeName)
{
    std::wstring exe = testFolder() + L"\\" + exeName;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, testFolder().c_str(),
                       &startup, &info)) {
        CloseHandle(info.hThread);
        process = info.hProcess;
        processId = info.dwProcessId;
    }
}

WinProgramUnderTest::~WinProgramUnderTest()
{
    if (!process)
        return;
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT)
        TerminateProcess(process, 99);
    CloseHandle(process);
}

HWND WinProgramUnderTest::waitForMainWindow(DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        WindowSearch search{processId, nullptr};
        EnumWindows(findProgramWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0)
            return nullptr;
    } while (GetTickCount64() < deadline);
    return nullptr;
}

bool WinProgramUnderTest::waitForExit(DWORD timeoutMs, DWORD& exitCode) const
{
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process, &exitCode) != 0;
}
