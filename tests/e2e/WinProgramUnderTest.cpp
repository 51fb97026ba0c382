#include "e2e/WinProgramUnderTest.h"

#include <vector>

namespace {

struct WindowSearch {
    DWORD processId;
    const std::wstring& title;
    HWND found;
};

BOOL CALLBACK findProgramWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    if (owner == search->processId && title == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
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

} // namespace

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
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (const HWND found = topLevelWindow(processId, title))
            return found;
        if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0)
            return nullptr;
    } while (GetTickCount64() < deadline);
    return nullptr;
}

HWND WinProgramUnderTest::topLevelWindow(DWORD processId, const std::wstring& title)
{
    WindowSearch search{processId, title, nullptr};
    EnumWindows(findProgramWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WinProgramUnderTest::waitForExit(DWORD timeoutMs, DWORD& exitCode) const
{
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process, &exitCode) != 0;
}
