#include "ui/wingui/Application.h"

#include "ui/wingui/DialogNavigation.h"

#include <atomic>

namespace wingui {

namespace {
std::atomic<Application*> theApplication{nullptr};
} // namespace

Application::Application(HINSTANCE instance) : moduleInstance(instance), threadId(GetCurrentThreadId())
{
    theApplication = this;
}

Application::~Application()
{
    Application* self = this;
    theApplication.compare_exchange_strong(self, nullptr);
}

Application* Application::current()
{
    Application* application = theApplication;
    return application && application->threadId == GetCurrentThreadId() ? application : nullptr;
}

int Application::Run()
{
    if (!InitInstance()) {
        exitCode = startFailedExitCode;
        return ExitInstance();
    }
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            break;
        handle(message);
    }
    if (got == 0)
        exitCode = static_cast<int>(message.wParam);
    return ExitInstance();
}

bool Application::runUntil(const std::function<bool()>& done)
{
    MSG message;
    while (!done()) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got == -1)
            return false;
        handle(message);
    }
    return true;
}

void Application::handle(MSG& message)
{
    Application* application = current();
    const bool consumed =
        application ? application->PreTranslateMessage(message) : DialogNavigation::translate(message);
    if (consumed)
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool Application::PreTranslateMessage(MSG& message)
{
    return DialogNavigation::translate(message);
}

int Application::ExitInstance()
{
    return exitCode;
}

} // namespace wingui
