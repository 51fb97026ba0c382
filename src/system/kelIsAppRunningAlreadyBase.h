#pragma once

// A guard that only one instance of the program can hold at a time.
// Used on the UI thread at start-up and exit only.
class kelIsAppRunningAlreadyBase {
public:
    virtual ~kelIsAppRunningAlreadyBase() = default;
    // Whether some process holds the guard.
    virtual bool isRunning() = 0;
    // Takes the guard whether or not another process holds it too.
    virtual void acquire() = 0;
    virtual void release() = 0;
    // Takes the guard unless another process holds it. A guard that cannot be
    // made at all counts as taken: the program starts rather than refusing to.
    virtual bool tryAcquire() = 0;
    virtual bool isAcquired() = 0;
};
