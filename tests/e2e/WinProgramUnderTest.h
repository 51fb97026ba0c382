#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A program of the build (Vantrel.exe unless told otherwise) started from the
// folder of the test executable, with a handle kept for waiting on its exit;
// exeName is a path under that folder, or a full path to a program elsewhere.
// Its standard output and error go to outputFile when one is named.
class WinProgramUnderTest {
public:
    explicit WinProgramUnderTest(const std::wstring& arguments = L"", const std::wstring& exeName = L"Vantrel.exe",
                                 const std::wstring& outputFile = L"");
    ~WinProgramUnderTest();
    WinProgramUnderTest(const WinProgramUnderTest&) = delete;
    WinProgramUnderTest& operator=(const WinProgramUnderTest&) = delete;

    bool started() const { return process != nullptr; }
    // The program's top-level window titled "Vantrel", waiting up to the
    // given time for it to appear; null if it never does.
    HWND waitForMainWindow(DWORD timeoutMs) const { return waitForWindow(L"Vantrel", timeoutMs); }
    // The program's top-level window with exactly that title, shown or
    // hidden, waiting up to the given time; null if it never appears.
    HWND waitForWindow(const std::wstring& title, DWORD timeoutMs) const;
    // The same, once the window has answered a message sent to it. Its
    // thread answers only from its message loop, so a dialog or message box
    // has filled in its controls by then; the window exists, with its title,
    // from before that. Null if it never appears or never answers.
    HWND waitForReadyWindow(const std::wstring& title, DWORD timeoutMs) const;
    // The window of the popup menu the program shows (a tray menu), waiting
    // up to the given time for it to be shown; null if none is.
    HWND waitForShownMenu(DWORD timeoutMs) const;
    // True once the program shows no popup menu, within the given time.
    bool waitForNoShownMenu(DWORD timeoutMs) const;
    // The exit code, or nothing if the program is still running after the time-out.
    bool waitForExit(DWORD timeoutMs, DWORD& exitCode) const;

    static std::wstring testFolder();
    // The top-level window of that process with exactly that title; null if there is none.
    static HWND topLevelWindow(DWORD processId, const std::wstring& title);
    // Ends every copy of the program still running in this Wine prefix (an
    // earlier test's program that would not end in time holds the
    // single-instance guard, and every later start would give way to it).
    // False if one is still running afterwards.
    static bool endLeftoverPrograms();

private:
    HWND waitForTopLevelWindow(const std::function<bool(HWND)>& wanted, DWORD timeoutMs) const;
    static HWND findTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& wanted);

    HANDLE process = nullptr;
    DWORD processId = 0;
};
