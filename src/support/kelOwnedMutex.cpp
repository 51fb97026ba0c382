#include "support/kelOwnedMutex.h"

#include <system_error>

void kelOwnedMutex::lock()
{
    if (isHeldByThisThread()) {
        throw std::system_error(std::make_error_code(std::errc::resource_deadlock_would_occur),
                                "lock taken twice on one thread");
    }
    mutex.lock();
    owner.store(std::this_thread::get_id());
}

void kelOwnedMutex::unlock()
{
    owner.store(std::thread::id());
    mutex.unlock();
}

bool kelOwnedMutex::isHeldByThisThread() const
{
    return owner.load() == std::this_thread::get_id();
}
