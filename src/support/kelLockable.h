#pragma once

#include <memory>

template <class Lockable>
class kelLockableAutolock;

// Anything that can be locked. The default lock does nothing: plain objects
// are changed only under the lock of whoever owns them.
class kelLockable {
public:
    virtual ~kelLockable() = default;
    virtual void lock() {}
    virtual void unlock() {}
    virtual std::shared_ptr<kelLockableAutolock<kelLockable>> autoLock();
};

// A scoped lock held through shared_ptr. Handing one down a call tells the
// callee that the caller already holds the lock; the holder may release it
// early (to raise events without it) and take it again.
template <class Lockable>
class kelLockableAutolock {
public:
    explicit kelLockableAutolock(Lockable& target) : lockable(target) { relock(); }
    ~kelLockableAutolock() { unlock(); }
    kelLockableAutolock(const kelLockableAutolock&) = delete;
    kelLockableAutolock& operator=(const kelLockableAutolock&) = delete;

    void unlock()
    {
        if (locked) {
            locked = false;
            lockable.unlock();
        }
    }
    void relock()
    {
        if (!locked) {
            lockable.lock();
            locked = true;
        }
    }
    bool isLocked() const { return locked; }

private:
    Lockable& lockable;
    bool locked = false;
};

inline std::shared_ptr<kelLockableAutolock<kelLockable>> kelLockable::autoLock()
{
    return std::make_shared<kelLockableAutolock<kelLockable>>(*this);
}
