#pragma once

#include <windows.h>

#include <functional>

namespace wingui {

// The application object, standing in for MFC's (whose operation names it
// keeps): start-up, the UI thread's message loop and shut-down. Every
// message the loop takes, and every message taken by the loops of this
// layer's modal dialogs and property sheets while they are open, is first
// offered to PreTranslateMessage. The system's own modal loops (a message
// box, a menu, a window being moved or sized) offer it nothing, and drop
// messages posted to the thread rather than to a window: what must arrive
// whatever runs (a global hotkey) is sent to a window.
//
// One application per process; it belongs to the thread that made it (the
// UI thread), and its operations run there.
class Application {
public:
    explicit Application(HINSTANCE instance);
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE instance() const { return moduleInstance; }

    // InitInstance, then the message loop until WM_QUIT, then ExitInstance;
    // returns ExitInstance's result. A failed InitInstance skips the loop
    // (ExitInstance still runs, over whatever was made).
    int Run();

    // The application of the calling thread, or nullptr on any other thread
    // and when none exists.
    static Application* current();

    // Runs the calling thread's messages until done() holds; a modal dialog's
    // loop. Each message goes through the thread's application first (or,
    // without one, the keyboard navigation of its dialogs). WM_QUIT ends the
    // loop early and is posted again, so that the loops around this one end
    // too; returns false then.
    static bool runUntil(const std::function<bool()>& done);

protected:
    virtual bool InitInstance() = 0;
    // Returns true when the message was consumed and must not be
    // dispatched. The base gives the modeless dialogs their keyboard
    // navigation.
    virtual bool PreTranslateMessage(MSG& message);
    // The process's exit code; the base returns the code WM_QUIT carried, or
    // startFailedExitCode when InitInstance failed.
    virtual int ExitInstance();

    static constexpr int startFailedExitCode = 1;

private:
    static void handle(MSG& message);

    HINSTANCE moduleInstance;
    DWORD threadId;
    int exitCode = 0;
};

} // namespace wingui
