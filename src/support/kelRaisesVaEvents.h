#pragma once

#include "support/kelVaEvent.h"

#include <cstdint>
#include <mutex>
#include <vector>

// Synchronous fan-out of events to non-owning consumers. One process-wide
// lock guards every raiser's consumers and depth; it is never held while a
// consumer runs. The consumer list does not change during a delivery:
// subscribing waits until no raise of this raiser is in progress.
class kelRaisesVaEvents {
public:
    kelRaisesVaEvents() = default;
    // Subscriptions belong to one object: a copy starts without consumers and
    // an assignment keeps the target's own.
    kelRaisesVaEvents(const kelRaisesVaEvents&) {}
    kelRaisesVaEvents& operator=(const kelRaisesVaEvents&) { return *this; }
    virtual ~kelRaisesVaEvents() = default;

    // A consumer subscribed twice receives every event twice; null is ignored.
    void addConsumer(kelConsumesVaEvents* consumer);
    // Removes the first subscription of consumer; nothing if it has none.
    void removeConsumer(kelConsumesVaEvents* consumer);

    void raiseEvent(const kelVaEvent& event);
    // Extra arguments reach every consumer as its own va_list.
    void raiseCode(std::uint32_t code, ...);

    // Raises of this raiser in progress; 0 when idle.
    int raisingDepth() const;

private:
    class Delivery;
    template <class Deliver>
    void deliverToAll(Deliver deliver);
    void waitUntilIdle(std::unique_lock<std::mutex>& lock) const;

    int depth = 0;
    std::vector<kelConsumesVaEvents*> consumers;
};
