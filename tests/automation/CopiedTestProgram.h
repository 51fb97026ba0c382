#pragma once

#include "automation/WinTestApplication.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

// A copy of the test program in a folder whose name has blanks and letters
// beyond ASCII.
class CopiedTestProgram {
public:
    CopiedTestProgram()
    {
        static std::atomic<int> made{0};
        folder = std::filesystem::temp_directory_path() /
                 (L"Vantrel Pr\u00FCfung \u00E4\u00F6 \u20AC " + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(++made));
        std::filesystem::create_directories(folder);
        program = (folder / L"vantrel_testapp.exe").wstring();
        copied = CopyFileW(WinTestApplication::builtProgram().c_str(), program.c_str(), FALSE) != FALSE;
    }
    ~CopiedTestProgram()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path folder;
    std::wstring program;
    bool copied = false;
};
