#include "automation/WinTestApplication.h"

#include "e2e/WinProgramUnderTest.h"

#include <vector>

namespace {

constexpr DWORD startPatienceMs = 20000;
constexpr DWORD endPatienceMs = 10000;

} // namespace

WinTestApplication::WinTestApplication(const std::wstring& exePath, const std::wstring& commandLine)
{
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exePath.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return;
    CloseHandle(info.hThread);
    process = info.hProcess;
    id = info.dwProcessId;
    for (DWORD waited = 0; waited < startPatienceMs && !mainWindow; waited += 50) {
        mainWindow = WinProgramUnderTest::topLevelWindow(id, L"Vantrel test window");
        if (!mainWindow)
            Sleep(50);
    }
}

WinTestApplication::~WinTestApplication()
{
    if (!process)
        return;
    if (mainWindow)
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, endPatienceMs) != WAIT_OBJECT_0)
        TerminateProcess(process, 1);
    CloseHandle(process);
}

HWND WinTestApplication::secondWindow() const
{
    return WinProgramUnderTest::topLevelWindow(id, L"Vantrel test window 2");
}

void WinTestApplication::bringToFront(HWND window)
{
    PostMessageW(window, WM_APP, 0, 0);
}

std::wstring WinTestApplication::builtProgram()
{
    return WinProgramUnderTest::testFolder() + L"\\vantrel_testapp.exe";
}
