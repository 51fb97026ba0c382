// Operates a running Vantrel from the outside, as the demo and the end-to-end
// scripts need: finds its windows by title and sends them plain commands.
//   vantrel_driver exit     chooses Exit in the tray icon's menu and waits for
//                           the main window to go
//   vantrel_driver crash    dies of an access violation, to prove that a crash
//                           under Wine ends at once with a failure code
#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace {

constexpr WORD exitCommand = 32774;

int exitProgram()
{
    HWND window = FindWindowW(nullptr, L"Vantrel");
    HWND tray = FindWindowW(nullptr, L"Vantrel Tray");
    if (!window || !tray)
        return 2;
    PostMessageW(tray, WM_COMMAND, MAKEWPARAM(exitCommand, 0), 0);
    for (int tries = 0; tries < 300 && IsWindow(window); ++tries)
        Sleep(100);
    return IsWindow(window) ? 3 : 0;
}

[[noreturn]] void crash()
{
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    std::abort();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && std::wcscmp(argv[1], L"exit") == 0)
        return exitProgram();
    if (argc == 2 && std::wcscmp(argv[1], L"crash") == 0)
        crash();
    std::fwprintf(stderr, L"usage: vantrel_driver exit|crash\n");
    return 1;
}
