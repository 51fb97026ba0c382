#pragma once

#include "support/kelLockable.h"
#include "support/kelOwnedMutex.h"

#include <memory>
#include <mutex>

// A lockable over one plain (non-recursive) mutex. Locking it again on the
// thread that holds it throws std::system_error (resource_deadlock_would_occur)
// instead of hanging; the holder's lock stays held.
class kelThreadSafe3 : public kelLockable {
public:
    void lock() override { mutex.lock(); }
    void unlock() override { mutex.unlock(); }

protected:
    kelOwnedMutex mutex;
};

// A mutex whose guard is returned by value, for objects that lock in scopes
// rather than through the lockable interface.
template <class Mutex, class Lock>
class kelLockable2 {
public:
    Lock lock() const { return Lock(mutex); }

protected:
    mutable Mutex mutex;
};

using kelThreadSafe4 = kelLockable2<std::mutex, std::unique_lock<std::mutex>>;

// A re-entrant critical section: the same thread may enter it again.
class kelCriticalSection {
public:
    void enter() { mutex.lock(); }
    void leave() { mutex.unlock(); }

private:
    std::recursive_mutex mutex;
};

class kelCriticalSectionAutoLock {
public:
    explicit kelCriticalSectionAutoLock(kelCriticalSection& section) : criticalSection(section)
    {
        criticalSection.enter();
    }
    ~kelCriticalSectionAutoLock() { criticalSection.leave(); }
    kelCriticalSectionAutoLock(const kelCriticalSectionAutoLock&) = delete;
    kelCriticalSectionAutoLock& operator=(const kelCriticalSectionAutoLock&) = delete;

private:
    kelCriticalSection& criticalSection;
};

// Guards an object with a critical section; lock() holds it until the
// returned guard is released.
class kelThreadSafe {
public:
    std::shared_ptr<kelCriticalSectionAutoLock> lock() const
    {
        return std::make_shared<kelCriticalSectionAutoLock>(criticalSection);
    }

protected:
    mutable kelCriticalSection criticalSection;
};
