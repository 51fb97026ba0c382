#pragma once

// The platform's message, named without its headers (MSG is this structure).
struct tagMSG;

// A filter offered every message of the UI thread's loop before it is
// dispatched; returning true consumes the message.
class OsMessageProcessor {
public:
    virtual bool processMessage(const tagMSG& message) = 0;
    virtual ~OsMessageProcessor() = default;
};
