#pragma once

#include <cstdarg>
#include <cstdint>

class kelRaisesVaEvents;

// Base of typed events. Consumers recognise an event by its dynamic type; an
// event lives on the raiser's stack for the duration of the raise only.
class kelVaEvent {
public:
    virtual ~kelVaEvent() = default;
};

// The receiving side of kelRaisesVaEvents. Handlers run synchronously on the
// raising thread; a consumer must remove itself from every raiser before it
// is destroyed, and must not (un)subscribe to the raiser delivering to it.
class kelConsumesVaEvents {
public:
    virtual void onVaEvent(kelRaisesVaEvents* raiser, const kelVaEvent& event) {}
    virtual void onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t code, va_list args) {}
    virtual ~kelConsumesVaEvents() = default;
};
