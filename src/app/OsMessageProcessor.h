#pragma once

#include <windows.h>

// A filter offered every message of the UI thread's loop before it is
// dispatched; returning true consumes the message.
class OsMessageProcessor {
public:
    virtual bool processMessage(const MSG& message) = 0;
    virtual ~OsMessageProcessor() = default;
};
