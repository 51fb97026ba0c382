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
    bool isComInitialized() const { return com.isInitialized(); }

private:
    kelComInitialize com;
};
