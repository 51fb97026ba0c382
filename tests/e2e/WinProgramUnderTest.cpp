#include "e2e/WinProgramUnderTest.h"

#include <tlhelp32.h>

#include <functional>
#include <vector>

namespace {

struct WindowSearch {
    DWORD processId;
    const std::function<bool(HWND)>& wanted;
    HWND found;
};

BOOL CALLBACK findProgramWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && search->wanted(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

bool hasTitle(HWND window, const std::wstring& title)
{
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text == title;
}

// The class the system gives the window of a shown popup menu.
bool isShownMenu(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32768" && IsWindowVisible(window);
}

// A file the started program inherits as its standard output; none when no name is given.
class OutputFile {
public:
    explicit OutputFile(const std::wstring& path)
    {
        if (path.empty())
            return;
        SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~OutputFile()
    {
        if (isOpen())
            CloseHandle(handle);
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle; }

private:
    HANDLE handle = INVALID_HANDLE_VALUE;
};

// A drive-letter path ("C:\\...") or a network one ("\\\\server\\...").
bool isFullPath(const std::wstring& path)
{
    return (path.size() > 2 && path[1] == L':' && path[2] == L'\\') || path.rfind(L"\\\\", 0) == 0;
}

// The ids of the running processes whose executable has that name.
std::vector<DWORD> processesNamed(const std::wstring& exeName)
{
    std::vector<DWORD> found;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0)
            found.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

} // namespace

bool WinProgramUnderTest::endLeftoverPrograms()
{
    for (const DWORD id : processesNamed(L"Vantrel.exe")) {
        if (const HANDLE leftover = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(leftover, 99);
            WaitForSingleObject(leftover, 30000);
            CloseHandle(leftover);
        }
    }
    return processesNamed(L"Vantrel.exe").empty();
}

std::wstring WinProgramUnderTest::testFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

WinProgramUnderTest::WinProgramUnderTest(const std::wstring& arguments, const std::wstring& exeName,
                                         const std::wstring& outputFile)
{
    std::wstring exe = isFullPath(exeName) ? exeName : testFolder() + L"\\" + exeName;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    const OutputFile output(outputFile);
    if (output.isOpen()) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
    }
    PROCESS_INFORMATION info{};
    if (CreateProcessW(exe.c_str(), mutableLine.data(), nullptr, nullptr, output.isOpen(), 0, nullptr,
                       testFolder().c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process = info.hProcess;
        processId = info.dwProcessId;
    }
}

WinProgramUnderTest::~WinProgramUnderTest()
{
    if (!process)
        return;
    // Ending takes a moment; the next test's start must not meet this one's
    // single-instance guard.
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT && TerminateProcess(process, 99))
        WaitForSingleObject(process, 10000);
    CloseHandle(process);
}

HWND WinProgramUnderTest::waitForWindow(const std::wstring& title, DWORD timeoutMs) const
{
    return waitForTopLevelWindow([&title](HWND window) { return hasTitle(window, title); }, timeoutMs);
}

HWND WinProgramUnderTest::waitForReadyWindow(const std::wstring& title, DWORD timeoutMs) const
{
    const HWND window = waitForWindow(title, timeoutMs);
    DWORD_PTR ignored = 0;
    if (!window || !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored))
        return nullptr;
    return window;
}

HWND WinProgramUnderTest::waitForShownMenu(DWORD timeoutMs) const
{
    return waitForTopLevelWindow(isShownMenu, timeoutMs);
}

bool WinProgramUnderTest::waitForNoShownMenu(DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (findTopLevelWindow(processId, isShownMenu)) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(50);
    }
    return true;
}

HWND WinProgramUnderTest::waitForTopLevelWindow(const std::function<bool(HWND)>& wanted, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (const HWND found = findTopLevelWindow(processId, wanted))
            return found;
        if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0)
            return nullptr;
    } while (GetTickCount64() < deadline);
    return nullptr;
}

HWND WinProgramUnderTest::topLevelWindow(DWORD processId, const std::wstring& title)
{
    return findTopLevelWindow(processId, [&title](HWND window) { return hasTitle(window, title); });
}

HWND WinProgramUnderTest::findTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& wanted)
{
    WindowSearch search{processId, wanted, nullptr};
    EnumWindows(findProgramWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WinProgramUnderTest::waitForExit(DWORD timeoutMs, DWORD& exitCode) const
{
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process, &exitCode) != 0;
}
