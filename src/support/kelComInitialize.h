#pragma once

// Enters the calling thread into a single-threaded COM apartment for the
// guard's lifetime. It leaves the apartment only if it entered it, so a
// thread already in a multithreaded apartment is left as it was. Without
// COM (the host build) the guard does nothing.
class kelComInitialize {
public:
    kelComInitialize();
    ~kelComInitialize();
    kelComInitialize(const kelComInitialize&) = delete;
    kelComInitialize& operator=(const kelComInitialize&) = delete;

    // Whether construction initialised COM and destruction will balance it.
    bool isInitialized() const { return initialized; }

private:
    bool initialized = false;
};

// What every worker thread sets up for the lifetime of its procedure.
class kelThreadInitializer {
public:
    kelThreadInitializer() { ++livingOnThisThread; }
    ~kelThreadInitializer() { --livingOnThisThread; }

    bool isComInitialized() const { return com.isInitialized(); }
    // Whether the calling thread is within an initializer's lifetime, so what
    // it set up (COM on Windows) is still there: code that must run before
    // the thread leaves COM can be checked with it in both builds.
    static bool isLivingOnThisThread() { return livingOnThisThread > 0; }

private:
    kelComInitialize com;
    static inline thread_local int livingOnThisThread = 0;
};
