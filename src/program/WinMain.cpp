#include "program/CVtWindowsApp.h"
#include "support/kelLiveThreads.h"

namespace {
// Exit code when a worker thread outlived shut-down: its owner failed to join
// it, and the process would otherwise end it at an arbitrary point.
constexpr int workerThreadLeftRunning = 70;
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    int exitCode = 0;
    {
        CVtWindowsApp application(instance);
        exitCode = application.Run();
    }
    if (kelLiveThreads::count() != 0)
        return workerThreadLeftRunning;
    return exitCode;
}
