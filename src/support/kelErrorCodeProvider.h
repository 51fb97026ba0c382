#pragma once

#include <system_error>

// An object that remembers why its last operation failed, for callers that
// got only a bool or an empty result.
class kelErrorCodeProvider {
public:
    virtual std::error_code errorCode() const = 0;
    virtual ~kelErrorCodeProvider() = default;
};
