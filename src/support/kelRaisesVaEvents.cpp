#include "support/kelRaisesVaEvents.h"

#include <algorithm>
#include <mutex>
#include <thread>

namespace {

std::mutex& fanOutMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

// Counts one raise in progress. The depth falls again even when a consumer
// throws, so later subscriptions to this raiser do not wait forever.
class kelRaisesVaEvents::Delivery {
public:
    explicit Delivery(int& depth) : depth(depth)
    {
        const std::lock_guard lock(fanOutMutex());
        ++depth;
    }
    ~Delivery()
    {
        const std::lock_guard lock(fanOutMutex());
        --depth;
    }
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;

private:
    int& depth;
};

void kelRaisesVaEvents::addConsumer(kelConsumesVaEvents* consumer)
{
    if (consumer == nullptr)
        return;
    std::unique_lock lock(fanOutMutex());
    waitUntilIdle(lock);
    consumers.push_back(consumer);
}

void kelRaisesVaEvents::removeConsumer(kelConsumesVaEvents* consumer)
{
    std::unique_lock lock(fanOutMutex());
    waitUntilIdle(lock);
    const auto found = std::find(consumers.begin(), consumers.end(), consumer);
    if (found != consumers.end())
        consumers.erase(found);
}

void kelRaisesVaEvents::raiseEvent(const kelVaEvent& event)
{
    deliverToAll([this, &event](kelConsumesVaEvents& consumer) { consumer.onVaEvent(this, event); });
}

void kelRaisesVaEvents::raiseCode(std::uint32_t code, ...)
{
    va_list args;
    va_start(args, code);
    try {
        deliverToAll([this, code, &args](kelConsumesVaEvents& consumer) {
            // A va_list can be walked once: each consumer reads its own copy.
            va_list copy;
            va_copy(copy, args);
            try {
                consumer.onVaEventCode(this, code, copy);
            } catch (...) {
                va_end(copy);
                throw;
            }
            va_end(copy);
        });
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

int kelRaisesVaEvents::raisingDepth() const
{
    const std::lock_guard lock(fanOutMutex());
    return depth;
}

template <class Deliver>
void kelRaisesVaEvents::deliverToAll(Deliver deliver)
{
    const Delivery delivery(depth);
    for (kelConsumesVaEvents* consumer : consumers)
        deliver(*consumer);
}

void kelRaisesVaEvents::waitUntilIdle(std::unique_lock<std::mutex>& lock) const
{
    // Raises are short, so yielding beats parking on a condition variable.
    while (depth != 0) {
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
    }
}
