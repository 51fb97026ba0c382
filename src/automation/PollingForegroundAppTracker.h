#pragma once

#include "automation/RunningForegroundAppTracker.h"
#include "support/kelCreatesThreads2.h"
#include "support/kelOwnedMutex.h"

#include <memory>

class RunningForegroundAppInfo;

// Looks at the window in front every 100 ms on a thread of its own and, each
// time that window differs from the one seen before, describes the
// application that owns it, makes that the current application and raises
// the code event 0. Every change of window counts, also between two windows
// of one program or to a window whose program cannot be read (then the
// current application is empty); telling real changes of application apart
// is the consumer's business. The window in front at construction is the
// first one seen and is not reported.
//
// Threads and locks:
// - The tracking thread is the only one that describes applications and
//   replaces the current one; it calls the RunningForegroundAppInfo only.
// - The code event 0 arrives on the tracking thread with no lock of the
//   tracker held, after the current application has been replaced; a
//   consumer may call foregroundApp() from its handler.
// - foregroundApp() may be called from any thread: the current application
//   is exchanged and copied under currentMutex, which is held for nothing else.
// - Destruction stops the thread, waking it from its wait, and joins it
//   before anything else goes; it must not run on the tracking thread (that
//   is, not from an event handler).
class PollingForegroundAppTracker : public RunningForegroundAppTracker, private kelCreatesThreads2 {
public:
    // Starts tracking at once.
    explicit PollingForegroundAppTracker(std::shared_ptr<RunningForegroundAppInfo> foreground);
    ~PollingForegroundAppTracker() override;

    std::shared_ptr<const RunningAppInfo> foregroundApp() override;
    void stop() override { requestStop(true); }

private:
    void track(WindowHandle lastSeen);
    void replaceCurrent(std::shared_ptr<const RunningAppInfo> app);

    const std::shared_ptr<RunningForegroundAppInfo> foreground;
    kelOwnedMutex currentMutex;
    std::shared_ptr<const RunningAppInfo> current;
};
