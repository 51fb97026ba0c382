#pragma once

#include <windows.h>

#include <string>

// The test program vantrel_testapp.exe started from a given path with a
// given command line; waits for its first window at start and ends it when
// it goes. Its windows come to the front when told.
class WinTestApplication {
public:
    WinTestApplication(const std::wstring& exePath, const std::wstring& commandLine);
    ~WinTestApplication();
    WinTestApplication(const WinTestApplication&) = delete;
    WinTestApplication& operator=(const WinTestApplication&) = delete;

    bool started() const { return mainWindow != nullptr; }
    DWORD processId() const { return id; }
    HWND firstWindow() const { return mainWindow; }
    HWND secondWindow() const;

    // Asks the program to bring one of its windows to the front.
    static void bringToFront(HWND window);
    // The test program beside the test executable.
    static std::wstring builtProgram();

private:
    HANDLE process = nullptr;
    DWORD id = 0;
    HWND mainWindow = nullptr;
};
